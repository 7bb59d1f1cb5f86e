#!/usr/bin/env python3
"""Measures how many faults the native suite catches.

Applies a seeded sample of single-line mutants to the program's portable code
(src/core, src/ui, src/windows, src/chrome), one at a time: a comparison
flipped, a bound moved by one, a call dropped, a constant changed. Each one is
built incrementally in build/mutants (no sanitizers, for speed; only the
programs the tests run) and the native suite runs against it, each test
program once, the quick ones first; a failing test kills it. A mutant that does not
compile is replaced by the next one of the sample. Prints the kill rate and
every survivor. The source is restored after each mutant, also when the run
is interrupted; a run killed outright restores it at the next start.

usage: scripts/mutants.py [--count N] [--seed S] [--timeout SECONDS] [--exclude REGEX]
"""

import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "mutants"
PENDING = BUILD / "pending-restore.json"
FOLDERS = ("src/core", "src/ui", "src/windows", "src/chrome")

COMPARISON_FLIPS = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
BOUND_SHIFTS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
COMPARISON = re.compile(r"(?<= )(==|!=|<=|>=|<|>)(?= )")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d+|\d+)(?![\w.])")
BOOLEAN = re.compile(r"\b(true|false)\b")
# A whole statement that is a call: `Name(...)`, `a.b->C(...)`, `x::F(...)`.
CALL = re.compile(r"^(\s*)([A-Za-z_][\w]*(?:(?:\.|->|::)[A-Za-z_]\w*|\(\))*\(.*\);)\s*$")
NOT_CALLS = ("return", "if", "for", "while", "switch", "case", "delete", "throw", "using",
             "static_assert", "sizeof")

# Mutants read and found equivalent: no input can tell them from the program.
# Each is passed over like one that does not compile, and named in the report.
# A mutant matches by file, kind and a piece of the line it mutates.
EQUIVALENT = [
    ("src/core/ClipboardAmount.cpp", "bound >= -> >", "text.size() >= suffix.size()",
     "a text that is the blank itself lost it to StartsWith just before"),
    ("src/core/NumberText.cpp", "bound < -> <=", "< kept.size() && ",
     "kept[kept.size()] is the string's terminating '\\0': no sign, digit, point or exponent"),
    ("src/core/NumberText.cpp", "bound <= -> <", "point <= 0",
     "at point 0 the integer digits are empty instead of \"0\"; the cents drop leading zeros"),
    ("src/chrome/FocusMarker.cpp", "bound < -> <=", "x < w;",
     "the extra column lies right of the marker's surface, where nothing is drawn"),
    ("src/chrome/FocusMarker.cpp", "constant 0 -> 1", '"fillstyle", 0',
     "the marker is drawn in lines alone: nothing on it is filled with the brush"),
    ("src/chrome/mRgn.cpp", "call dropped", "pixels.reserve(",
     "reserving the picture's room first saves copies, and changes no pixel"),
    ("src/chrome/FocusMarker.cpp", "call dropped", '"forecolor"',
     "the surface's ink is the button-text colour without it too"),
    ("src/windows/converter/frmConvalis.cpp", "constant true -> false", "return true;",
     "R, O and Z handed on reach no clipboard key and no entry key"),
]


def code_part(line):
    """The line with its string and character literals blanked and its
    trailing comment cut, so that no mutant lands inside them."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def bumped(number):
    """A small count one more; a larger number (a size, a place in twips)
    twice as large, where one more would often change no pixel; a rate's
    last digit one more."""
    if "." in number:
        whole, decimals = number.split(".")
        last = (int(decimals[-1]) + 1) % 10
        return f"{whole}.{decimals[:-1]}{last}" if last else f"{whole}.{decimals}1"
    value = int(number)
    return str(value + 1 if value < 16 else value * 2)


def mutations_of(line, previous):
    """Every (kind, mutated line) of one source line."""
    code = code_part(line)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#", "*", "/*")):
        return []
    found = []
    for m in COMPARISON.finditer(code):
        op = m.group(1)
        a, b = m.span(1)
        found.append((f"comparison {op} -> {COMPARISON_FLIPS[op]}",
                      line[:a] + COMPARISON_FLIPS[op] + line[b:]))
        if op in BOUND_SHIFTS:
            found.append((f"bound {op} -> {BOUND_SHIFTS[op]}",
                          line[:a] + BOUND_SHIFTS[op] + line[b:]))
    for m in NUMBER.finditer(code):
        a, b = m.span(1)
        found.append((f"constant {m.group(1)} -> {bumped(m.group(1))}",
                      line[:a] + bumped(m.group(1)) + line[b:]))
    for m in BOOLEAN.finditer(code):
        other = "false" if m.group(1) == "true" else "true"
        a, b = m.span(1)
        found.append((f"constant {m.group(1)} -> {other}", line[:a] + other + line[b:]))
    call = CALL.match(code)
    prev = code_part(previous).rstrip()
    starts_statement = prev.endswith((";", "{", "}", ":", ")")) or not prev
    if (call and starts_statement and " = " not in code and code.count("(") == code.count(")")
            and not call.group(2).startswith(NOT_CALLS)):
        found.append(("call dropped", call.group(1) + "static_cast<void>(0);"))
    return found


def sample(seed):
    """Every mutant of the folders in the seed's order, each kind in turn so
    that the many constants of the layouts do not crowd out the rest."""
    kinds = {}
    for candidate in candidates():
        kinds.setdefault(candidate[2].split()[0], []).append(candidate)
    generator = random.Random(seed)
    queues = [kinds[kind] for kind in sorted(kinds)]
    for queue in queues:
        generator.shuffle(queue)
    order = []
    while any(queues):
        for queue in queues:
            if queue:
                order.append(queue.pop())
    return order


def equivalence(relative, kind, original):
    """Why the mutant is equivalent, if it was found so; else None."""
    for path, known_kind, piece, why in EQUIVALENT:
        if relative == path and kind == known_kind and piece in original:
            return why
    return None


def candidates():
    """Every mutant of the folders, in a fixed order."""
    found = []
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            lines = path.read_text(encoding="utf-8").split("\n")
            in_comment = False
            for number, line in enumerate(lines):
                if "/*" in line and "*/" not in line:
                    in_comment = True
                if in_comment:
                    in_comment = "*/" not in line
                    continue
                previous = lines[number - 1] if number else ""
                for kind, mutated in mutations_of(line, previous):
                    found.append((path.relative_to(ROOT).as_posix(), number, kind, mutated, line))
    return found


def run(command, timeout=None, cwd=ROOT):
    """Runs a command in its own process group, which goes whole when the
    command takes too long or the run is interrupted."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        return "timeout", process.communicate()[0]
    except BaseException:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise


class Source:
    """One source file under mutation: written back, with its time, whatever
    happens; the objects built from the mutant are deleted so that the next
    build takes the original again."""

    def __init__(self, relative, objects):
        self.path = ROOT / relative
        self.original = self.path.read_bytes()
        self.times = (self.path.stat().st_atime_ns, self.path.stat().st_mtime_ns)
        self.objects = objects
        PENDING.write_text(json.dumps({"file": relative, "original": self.original.decode(),
                                       "times": self.times, "objects": objects}))

    def write(self, text):
        self.path.write_bytes(text.encode())
        now = time.time_ns()
        os.utime(self.path, ns=(now, now))

    def restore(self):
        restore(self.path, self.original, self.times, self.objects)


def restore(path, original, times, objects):
    path.write_bytes(original)
    os.utime(path, ns=tuple(times))
    for obj in objects:
        (BUILD / obj).unlink(missing_ok=True)
    PENDING.unlink(missing_ok=True)


def restore_pending():
    if PENDING.exists():
        left = json.loads(PENDING.read_text())
        print(f"restoring {left['file']}, left mutated by a run that was killed")
        restore(ROOT / left["file"], left["original"].encode(), left["times"], left["objects"])


def dependent_objects():
    """For each source file, the objects of build/mutants compiled from it."""
    code, output = run(["ninja", "-C", str(BUILD), "-t", "deps"])
    users, current = {}, None
    for line in output.splitlines():
        if not line.startswith(" ") and ":" in line:
            current = line.split(":")[0]
        elif line.strip() and current:
            source = (BUILD / line.strip()).resolve()
            try:
                relative = source.relative_to(ROOT).as_posix()
            except ValueError:
                continue
            users.setdefault(relative, []).append(current)
    return users


def suite(exclude):
    """The native suite as ctest knows it, as commands to run: each GoogleTest
    program once for all its tests (ctest starts it once a test), the others
    as they are; the programs most tests use first, the soak last. Each comes
    with the targets it needs built."""
    code, output = run(["ctest", "--test-dir", str(BUILD), "--show-only=json-v1"])
    if code != 0:
        sys.exit(output)
    commands, programs = {}, set()
    for entry in json.loads(output)["tests"]:
        if exclude and re.search(exclude, entry["name"]):
            continue
        command = entry["command"]
        if any(arg.startswith("--gtest_filter=") for arg in command):
            command = [command[0], "--gtest_brief=1"]
        where = next((p["value"] for p in entry.get("properties", [])
                      if p["name"] == "WORKING_DIRECTORY"), str(ROOT))
        commands.setdefault((where, *command), []).append(entry["name"])
        for arg in command:
            path = Path(arg.split("=", 1)[-1])
            if path.parent == BUILD / "bin":
                programs.add(path.name)
    ordered = sorted(commands.items(), key=lambda item: ("soak" in item[1][0], -len(item[1])))
    return [(key[0], list(key[1:]), names) for key, names in ordered], sorted(programs)


def build(targets):
    return run(["cmake", "--build", str(BUILD), "--target", *targets, "--", "-j2"], timeout=1800)


def test(commands, limits):
    """The name of the first test that fails, or None when all pass. A
    mutant that makes a program hang fails it at its limit."""
    for (where, command, names), limit in zip(commands, limits):
        code, output = run(command, timeout=limit, cwd=where)
        if code != 0:
            failed = re.findall(r"\[  FAILED  \] (\S+)", output)
            return failed[0] if failed else f"{Path(command[0]).name} ({code}), {names[0]} first"
    return None


def limits_from_clean_run(commands, least):
    """Each program's time limit: ten times what it took on the unchanged
    program, and never under `least` seconds. None when a test fails."""
    limits = []
    for entry in commands:
        started = time.monotonic()
        if test([entry], [1800]) is not None:
            return None
        limits.append(max(least, 10 * (time.monotonic() - started)))
    return limits


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=40)
    parser.add_argument("--seed", type=int, default=2002)
    parser.add_argument("--timeout", type=int, default=60,
                        help="least seconds for one test program (else 10 times its clean run)")
    parser.add_argument("--exclude", default="", help="tests to leave out (ctest -E)")
    args = parser.parse_args()

    # An interruption restores the file through the `finally` below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    signal.signal(signal.SIGHUP, lambda *_: sys.exit(130))
    BUILD.mkdir(parents=True, exist_ok=True)
    restore_pending()

    code, output = run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Debug", "-DCONVALIS_SANITIZE=OFF"])
    if code != 0:
        sys.exit(output)
    print("building the unchanged program and running the suite once...", flush=True)
    if build(["all"])[0] != 0:
        sys.exit("the unchanged program does not build")
    commands, programs = suite(args.exclude)
    limits = limits_from_clean_run(commands, args.timeout)
    if limits is None:
        sys.exit("the unchanged program does not pass its tests")
    users = dependent_objects()

    killed, survivors, stillborn, tried, equivalent = 0, [], 0, 0, []
    for relative, number, kind, mutated, original in sample(args.seed):
        if tried == args.count:
            break
        why = equivalence(relative, kind, original)
        if why:
            equivalent.append((f"{relative}:{number + 1}", kind, why))
            continue
        source = Source(relative, users.get(relative, []))
        try:
            lines = source.original.decode().split("\n")
            lines[number] = mutated
            source.write("\n".join(lines))
            where = f"{relative}:{number + 1}"
            if build(programs)[0] != 0:
                stillborn += 1
                continue
            tried += 1
            failed = test(commands, limits)
            if failed is None:
                survivors.append((where, kind, mutated.strip()))
                verdict = "SURVIVED"
            else:
                killed += 1
                verdict = "killed by " + failed
            print(f"[{tried:2}/{args.count}] {where:40} {kind:28} {verdict}", flush=True)
        finally:
            source.restore()

    print(f"\n{killed} of {tried} mutants killed ({100 * killed / max(tried, 1):.0f} %), "
          f"seed {args.seed}; {stillborn} did not compile and {len(equivalent)} known to be "
          "equivalent were replaced.")
    for where, kind, why in equivalent:
        print(f"equivalent: {where}: {kind}: {why}")
    for where, kind, mutated in survivors:
        print(f"survived: {where}: {kind}: {mutated}")
    # The next build in build/mutants takes the original sources again.
    build(["all"])


if __name__ == "__main__":
    main()
