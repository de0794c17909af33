#!/usr/bin/env python3
# The build refuses an include that runs up the layers: every distinct set of
# flags a layer's files are compiled with (from compile_commands.json)
# preprocesses a one-line file including a header of each layer, and Qt's; the
# layer's own must be found, and nothing it may not use. (What it may use it
# need not all link: the line reader in cli/ uses no engine.) A relative path
# ("../ui/x.h") would reach past the include roots, so no layer may include one.
#
#     check_layers.py SOURCE_DIR COMPILE_COMMANDS_JSON
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile

QT = "QtGlobal"
MAY_USE = {"engine": {"engine"}, "platform": {"engine", "platform", QT},
           "controls": {"engine", "platform", "controls", QT},
           "ui": {"engine", "platform", "controls", "ui", QT}, "cli": {"engine", "cli"}}


# Whether the include itself is found; what it includes in turn does not matter.
def reach(args, directory, include, probe):
    probe.write_text(f"#include {include}\n")
    errors = subprocess.run([*args, "-E", "-o", os.devnull, str(probe)], cwd=directory,
                            capture_output=True, text=True).stderr.splitlines()
    return not any(line.startswith(f"{probe}:1:") and include.strip('"<>') in line and
                   ("No such file" in line or "not found" in line) for line in errors)


def main(source, compile_commands):
    source = pathlib.Path(source).resolve()
    sets = {}  # {layer: {compiler arguments without source and output: directory}}
    for entry in json.loads(pathlib.Path(compile_commands).read_text()):
        path = pathlib.Path(entry["file"])
        if path.parent.parent == source and path.parent.name in MAY_USE:
            args = entry.get("arguments") or shlex.split(entry["command"])
            output = args.index("-o")
            kept = [a for i, a in enumerate(args) if a not in ("-c", entry["file"]) and i not in (output, output + 1)]
            sets.setdefault(path.parent.name, {})[tuple(kept)] = entry["directory"]
    if "engine" not in sets:
        sys.exit("no engine file in the compile commands: nothing checked")
    probes = {QT: f"<{QT}>", **{layer: f'"{layer}/{min(p.name for p in (source / layer).glob("*.h"))}"'
                                for layer in MAY_USE}}
    faults = [f"{path.relative_to(source)} includes {name} by a path" for layer in MAY_USE
              for path in sorted((source / layer).rglob("*")) if path.suffix in (".cpp", ".h")
              for name in re.findall(r'^\s*#\s*include\s*["<]([^">]*)[">]', path.read_text(), re.M)
              if ".." in pathlib.PurePath(name).parts or name.startswith("/")]
    with tempfile.TemporaryDirectory() as scratch:
        for layer, flags in sorted(sets.items()):
            for args, directory in flags.items():
                for target, include in probes.items():
                    found = reach(list(args), directory, include, pathlib.Path(scratch) / "probe.cpp")
                    # Its own layer must be found, one it may not use must not.
                    if (target == layer and not found) or (target not in MAY_USE[layer] and found):
                        faults.append(f"{layer}/ {'can' if found else 'cannot'} include {include}")
    print("\n".join(faults) or "layers checked: " + ", ".join(sets))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
