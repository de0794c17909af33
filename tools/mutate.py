#!/usr/bin/env python3
"""Plants one small fault at a time in the product code and runs the tests.

A fault the tests miss is a gap in the tests, or a change no input can
notice: dead code to remove, or an equivalent form (such as another value
for a sentinel no name can take). Faults come from two sources:
the named faults in tools/planted_faults.json (each must stay caught), and
a seeded random sample of small changes (an operator, a comparison, a
constant, a boolean) across engine/, platform/, controls/, ui/ and cli/.

The tracked files are copied to WORKDIR/src and built there, so the working
tree is never touched; each fault is reverted before the next is planted.

usage: mutate.py WORKDIR [--random N] [--seed S] [--named-only | --random-from K] [--jobs J]
"""
import argparse
import json
import pathlib
import random
import re
import shutil
import subprocess
import sys

LAYERS = ("engine/", "platform/", "controls/", "ui/", "cli/")
# Binary operators need a space on each side (clang-format's layout), which
# keeps template brackets, pointers, references and unary signs out.
SWAPS = {" == ": " != ", " != ": " == ", " < ": " <= ", " <= ": " < ", " > ": " >= ",
         " >= ": " > ", " && ": " || ", " || ": " && ", " + ": " - ", " - ": " + ",
         " * ": " / ", " / ": " * "}
TOKEN = re.compile(r" (?:==|!=|<=|>=|<|>|&&|\|\||\+|-|\*|/) |\btrue\b|\bfalse\b"
                   r"|(?<![\w.])\d+(?:\.\d+)?(?:[eE][-+]?\d+)?[fFuU]?(?![\w.])")
# A quick unit phase first: most faults fail there, and only the survivors
# pay for the real window systems.
SLOW = "^(e2e_|install_|layers)"
REPO = pathlib.Path(__file__).resolve().parent.parent


def code_part(line):
    """The line with string and character literals blanked and comments cut."""
    line = re.sub(r'"(?:\\.|[^"\\])*"', lambda m: '"' + " " * (len(m.group()) - 2) + '"', line)
    line = re.sub(r"'(?:\\.|[^'\\])*'", lambda m: "'" + " " * (len(m.group()) - 2) + "'", line)
    return line.split("//")[0]


def changed(token):
    if token in SWAPS:
        return SWAPS[token]
    if token in ("true", "false"):
        return "false" if token == "true" else "true"
    digits = token.rstrip("fFuU")
    if re.fullmatch(r"\d+", digits):
        return str(int(digits) + 1) + token[len(digits):]
    return "(" + token + " + 1)"


def sites(src):
    """Every place a random fault may go: (file, line number, column, token)."""
    files = subprocess.run(["git", "ls-files", *LAYERS], cwd=REPO, capture_output=True,
                           text=True, check=True).stdout.split()
    found = []
    for name in files:
        if not name.endswith((".cpp", ".h")):
            continue
        in_comment = in_raw_text = False
        for number, line in enumerate((src / name).read_text().splitlines(), 1):
            stripped = line.strip()
            if in_comment or stripped.startswith("/*"):
                in_comment = "*/" not in stripped
                continue
            # Prose in a raw string is text, not code.
            if in_raw_text or ('R"(' in line and ')"' not in line.split('R"(', 1)[1]):
                in_raw_text = ')"' not in line or not in_raw_text
                continue
            if stripped.startswith(("#", "static_assert")):
                continue
            for match in TOKEN.finditer(code_part(line)):
                found.append((name, number, match.start(), match.group()))
    return found


def run(command, cwd, timeout=None):
    try:
        done = subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=timeout)
        return done.returncode, done.stdout + done.stderr
    except subprocess.TimeoutExpired:
        return 1, "timed out"


def failing_test(output):
    failed = re.findall(r"^\s*\d+ - (\S+) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted)",
                        output, re.M)
    return failed[0] if failed else "?"


def executables(build):
    """The modification times of the built programs and test executables."""
    return {str(path): path.stat().st_mtime for folder in ("bin", "tests")
            for path in pathlib.Path(build, folder).glob("*") if path.is_file()}


def starters(build):
    """For each program, the test executables that start it by a built-in path."""
    programs = [str(path) for path in pathlib.Path(build, "bin").glob("*") if path.is_file()]
    found = {program: set() for program in programs}
    for test in pathlib.Path(build, "tests").glob("*"):
        if test.is_file():
            contents = test.read_bytes()
            for program in programs:
                if program.encode() in contents:
                    found[program].add(str(test))
    return found


def affected_tests(build, changed, starting):
    """The tests that run one of the changed executables, as (number, name)."""
    for program, tests in starting.items():
        if program in changed:
            changed = changed | tests
    listing = json.loads(run(["ctest", "--show-only=json-v1"], build)[1])["tests"]
    return [(number, test["name"]) for number, test in enumerate(listing, 1)
            if any(argument in changed for argument in test.get("command", []))]


def verdict(build, jobs, starting):
    """'caught <test>', 'missed' or 'no build' for the tree as it stands now.
    Only the tests whose executable the fault changed are run, fast ones first."""
    before = executables(build)
    code, _ = run(["cmake", "--build", build, "-j", str(jobs), "--target", "tallix_tests"], build)
    if code != 0:
        return "no build"
    changed = {path for path, mtime in executables(build).items() if before.get(path) != mtime}
    tests = affected_tests(build, changed, starting)
    for slow in (False, True):
        numbers = [str(number) for number, name in tests if bool(re.match(SLOW, name)) == slow]
        if not numbers:
            continue
        # Test numbers, not a pattern: a pattern naming hundreds of tests is
        # too big for ctest, which then runs none and reports success.
        code, output = run(["ctest", "-j", str(jobs), "--stop-on-failure", "--timeout", "120",
                            "-I", "0,0,0," + ",".join(numbers)], build, 1800)
        if "No tests were found" in output:
            raise SystemExit("ctest ran no test: " + output[-300:])
        if code != 0:
            return "caught " + failing_test(output)
    return "missed"


def plant(path, old, new, line=None, column=None):
    text = path.read_text()
    if line is None:
        if text.count(old) != 1:
            raise SystemExit(f"{path}: the text to change occurs {text.count(old)} times: {old!r}")
        path.write_text(text.replace(old, new))
    else:
        lines = text.splitlines(keepends=True)
        row = lines[line - 1]
        lines[line - 1] = row[:column] + new + row[column + len(old):]
        path.write_text("".join(lines))
    return text


def prepare(workdir, jobs):
    src = workdir / "src"
    src.mkdir(parents=True, exist_ok=True)
    # Only what differs is written, with a new time, so the build stays.
    tracked = subprocess.run(["git", "ls-files", "-z"], cwd=REPO, capture_output=True, text=True,
                             check=True).stdout.split("\0")
    for name in filter(None, tracked):
        source, copy = REPO / name, src / name
        if source.is_file() and (not copy.is_file() or copy.read_bytes() != source.read_bytes()):
            copy.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(source, copy)
    # A run stopped while a fault was planted built it; its file, back as it
    # was, must still be rebuilt.
    marker = workdir / "planted"
    if marker.is_file():
        (src / marker.read_text()).touch()
        marker.unlink()
    build = src / "build"
    subprocess.run(["cmake", "-S", str(src), "-B", str(build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DTALLIX_BUILD_TESTS=ON"], check=True, capture_output=True)
    code, _ = run(["cmake", "--build", str(build), "-j", str(jobs), "--target", "tallix_tests"], build)
    if code != 0 or run(["ctest", "-j", str(jobs), "--timeout", "120"], build, 3600)[0] != 0:
        raise SystemExit("the unchanged tree does not build or fails its tests")
    return src, str(build)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("workdir", type=pathlib.Path)
    parser.add_argument("--random", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--named-only", action="store_true")
    parser.add_argument("--random-from", type=int, default=0,
                        help="go on with a stopped run's sample from this fault, named ones left out")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    src, build = prepare(args.workdir.resolve(), args.jobs)
    starting = starters(build)
    faults = [(f["what"], f["file"], f["old"], f["new"], None, None)
              for f in json.loads((REPO / "tools/planted_faults.json").read_text())
              if not args.random_from]
    if not args.named_only:
        chosen = random.Random(args.seed).sample(sites(src), args.random)[args.random_from:]
        faults += [(f"{name}:{line} {token.strip()} -> {changed(token).strip()}", name, token,
                    changed(token), line, column) for name, line, column, token in chosen]
    tally = {"caught": 0, "missed": 0, "no build": 0}
    for what, name, old, new, line, column in faults:
        (args.workdir / "planted").write_text(name)
        original = plant(src / name, old, new, line, column)
        try:
            result = verdict(build, args.jobs, starting)
        finally:
            (src / name).write_text(original)
            (args.workdir / "planted").unlink()
        tally[result.split(" ")[0] if result != "no build" else result] += 1
        print(f"{result:60} {what}", flush=True)
    counted = tally["caught"] + tally["missed"]
    print(f"caught {tally['caught']} of {counted} ({100 * tally['caught'] / max(counted, 1):.0f}%);"
          f" {tally['no build']} did not build")
    return 0 if tally["missed"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
