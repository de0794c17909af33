#!/usr/bin/env python3
# The build refuses an include that runs up the layers.
#
# Every distinct set of flags that a layer's files are compiled with (read from
# the build's compile_commands.json) preprocesses a one-line file including a
# header of each layer, and one of Qt: the layer's own header must be found,
# and nothing the layer may not use. (What it may use it need not all link: the
# line reader in cli/ uses no engine.) A relative path ("../ui/x.h") would reach
# past the include roots, so no file of a layer may include one.
#
# usage: check_layers.py SOURCE_DIR COMPILE_COMMANDS_JSON
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile

QT = "QtGlobal"
# What each layer's files may include; every other layer, and Qt unless
# listed, must stay out of reach.
MAY_USE = {
    "engine": {"engine"},
    "platform": {"engine", "platform", QT},
    "controls": {"engine", "platform", "controls", QT},
    "ui": {"engine", "platform", "controls", "ui", QT},
    "cli": {"engine", "cli"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]*)[">]', re.MULTILINE)


# One real header per layer, named as an includer names it, and Qt's.
def probe_headers(source):
    first = {layer: min(p.name for p in (source / layer).glob("*.h")) for layer in MAY_USE}
    return {QT: f"<{QT}>", **{layer: f'"{layer}/{name}"' for layer, name in first.items()}}


# {layer: {compiler arguments without source and output: directory}}.
def flag_sets(source, commands):
    sets = {}
    for entry in commands:
        path = pathlib.Path(entry["file"])
        if path.parent.parent != source or path.parent.name not in MAY_USE:
            continue
        args = entry.get("arguments") or shlex.split(entry["command"])
        output = args.index("-o")
        kept = [arg for i, arg in enumerate(args)
                if arg not in ("-c", entry["file"]) and i not in (output, output + 1)]
        sets.setdefault(path.parent.name, {})[tuple(kept)] = entry["directory"]
    return sets


# False when the include itself is not found; what it includes in turn
# does not matter here.
def reach(args, directory, include, scratch):
    probe = scratch / "probe.cpp"
    probe.write_text(f"#include {include}\n")
    run = subprocess.run([*args, "-E", "-o", os.devnull, str(probe)], cwd=directory,
                         capture_output=True, text=True)
    name = include.strip('"<>')
    return not any(line.startswith(f"{probe}:1:") and name in line and
                   ("No such file" in line or "not found" in line)
                   for line in run.stderr.splitlines())


def climbing_includes(source):
    for layer in MAY_USE:
        for path in sorted(p for p in (source / layer).rglob("*") if p.suffix in (".cpp", ".h")):
            for name in INCLUDE.findall(path.read_text()):
                if ".." in pathlib.PurePath(name).parts or name.startswith("/"):
                    yield f"{path.relative_to(source)} includes {name} by a path"


def main(source, compile_commands):
    source = pathlib.Path(source).resolve()
    sets = flag_sets(source, json.loads(pathlib.Path(compile_commands).read_text()))
    if "engine" not in sets:
        sys.exit("no engine file in the compile commands: nothing checked")
    probes = probe_headers(source)
    faults = list(climbing_includes(source))
    with tempfile.TemporaryDirectory() as scratch:
        for layer, flags in sorted(sets.items()):
            for args, directory in flags.items():
                for target, include in probes.items():
                    found = reach(list(args), directory, include, pathlib.Path(scratch))
                    if target == layer and not found:
                        faults.append(f"{layer}/ cannot include its own {include}")
                    elif target not in MAY_USE[layer] and found:
                        faults.append(f"{layer}/ can include {include}")
    print(f"layers checked: {', '.join(f'{k} ({len(v)} flag sets)' for k, v in sorted(sets.items()))}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
