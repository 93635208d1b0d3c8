#!/usr/bin/env python3
"""Mutation check: plants each fault of a list in a scratch copy of the tree, rebuilds, runs the
tests, and reports whether the suite caught it.

Usage: scripts/mutation.py [--faults FILE] [--only TEXT] [--keep DIR] [--every] [--against LOG]

--every runs the whole suite for each fault and names the tests that caught it: before cutting a
test, it shows whether the test is the only one to catch some fault.
--against LOG compares with the output of an earlier run (say, before a change to the tests) and
names every fault that run caught and this one did not; the exit status is then 1.

The faults file (default scripts/mutations.txt) holds one fault per block, blocks separated by
a line '%%':
    file: src/world/map.cpp
    fault: what a user would see go wrong
    find: exact text of the code (may span lines: more 'find:' lines continue it)
    replace: the text planted instead (likewise)
The first occurrence of the text is replaced. A fault whose text is no longer in the file, or
whose planted code does not build, is reported as 'n/a'.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_faults(path):
    faults, current = [], {}
    for raw in open(path, encoding="utf-8").read().split("\n"):
        if raw.strip() == "%%":
            if current:
                faults.append(current)
            current = {}
            continue
        if raw.startswith("#") or not raw.strip():
            continue
        key, _, value = raw.partition(":")
        value = value[1:] if value.startswith(" ") else value
        if key not in ("file", "fault", "find", "replace"):
            sys.exit(f"{path}: unknown line {raw!r}")
        current[key] = current[key] + "\n" + value if key in current and key in ("find", "replace") else value
    if current:
        faults.append(current)
    for f in faults:
        missing = {"file", "fault", "find", "replace"} - f.keys()
        if missing:
            sys.exit(f"{path}: a fault lacks {', '.join(sorted(missing))}: {f}")
    return faults


def run(cmd, cwd, timeout, log):
    with open(log, "w") as out:
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return -1


def build(scratch):
    return run(["cmake", "--build", "build", f"-j{os.cpu_count()}"], scratch, 1800, os.path.join(scratch, "build.log")) == 0


def failing_tests(scratch, every):
    """The names of the tests that failed; by default only the first, as the run stops there."""
    cmd = ["ctest", "--test-dir", "build", f"-j{os.cpu_count()}", "--timeout", "90"]
    if not every:
        cmd.append("--stop-on-failure")
    if run(cmd, scratch, 3600, os.path.join(scratch, "test.log")) == 0:
        return []
    failed = os.path.join(scratch, "build", "Testing", "Temporary", "LastTestsFailed.log")
    names = [line.strip().partition(":")[2] for line in open(failed)] if os.path.exists(failed) else []
    return names or ["?"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--faults", default=os.path.join(ROOT, "scripts", "mutations.txt"))
    parser.add_argument("--only", default="", help="only the faults whose description or file contain this")
    parser.add_argument("--keep", default="/tmp/maped-mutation", help="the scratch copy, reused between runs")
    parser.add_argument("--every", action="store_true", help="run every test for each fault and name the catchers")
    parser.add_argument("--against", help="the output of an earlier run: report the faults it caught and this run missed")
    args = parser.parse_args()
    faults = [f for f in read_faults(args.faults) if args.only in f["fault"] or args.only in f["file"]]

    scratch = args.keep
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT, capture_output=True,
                           text=True, check=True).stdout.split("\n")
    os.makedirs(scratch, exist_ok=True)
    # Files the tree no longer has (a test deleted since the last run) would still be globbed.
    for folder, dirs, names in os.walk(scratch):
        dirs[:] = [d for d in dirs if os.path.join(folder, d) != os.path.join(scratch, "build")]
        for name in names:
            if os.path.relpath(os.path.join(folder, name), scratch) not in files:
                os.remove(os.path.join(folder, name))
    for name in filter(None, files):
        target = os.path.join(scratch, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if not os.path.exists(target) or open(os.path.join(ROOT, name), "rb").read() != open(target, "rb").read():
            shutil.copy(os.path.join(ROOT, name), target)
    # Release without debug information: each planted fault relinks every program and test.
    subprocess.run(["cmake", "-S", ".", "-B", "build", "-DCMAKE_BUILD_TYPE=Release"], cwd=scratch,
                   stdout=subprocess.DEVNULL, check=True)
    if not build(scratch) or failing_tests(scratch, False):
        sys.exit(f"the unchanged tree does not build or pass its tests: see {scratch}/build.log and test.log")

    counts = {"caught": 0, "missed": 0, "n/a": 0}
    verdicts = {}  # fault text -> verdict, to compare with an earlier run
    for n, fault in enumerate(faults, 1):
        path = os.path.join(scratch, fault["file"])
        original = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
        started, catchers = time.time(), []
        if fault["find"] not in original:
            verdict = "n/a"
        else:
            with open(path, "w", encoding="utf-8") as out:
                out.write(original.replace(fault["find"], fault["replace"], 1))
            if not build(scratch):
                verdict = "n/a"
            else:
                catchers = failing_tests(scratch, args.every)
                verdict = "caught" if catchers else "missed"
            with open(path, "w", encoding="utf-8") as out:
                out.write(original)
        counts[verdict] += 1
        verdicts[fault["fault"]] = verdict
        print(f"{verdict:7} {n:3} {fault['file']}: {fault['fault']} ({time.time() - started:.0f} s)", flush=True)
        if args.every and catchers:
            print("        caught by: " + " ".join(catchers), flush=True)
    build(scratch)
    print(f"mutation: {counts['caught']} caught, {counts['missed']} missed, {counts['n/a']} not applicable "
          f"of {len(faults)} faults")
    if not args.against:
        return 1 if counts["missed"] else 0
    # Faults are matched by their description, so that the two runs may number them apart and
    # a fault may have moved to another file with its code.
    earlier = {}
    for line in open(args.against, encoding="utf-8"):
        verdict, _, rest = line.partition(" ")
        if verdict in ("caught", "missed", "n/a"):
            earlier[rest.strip().split(" ", 1)[1].split(": ", 1)[1].rsplit(" (", 1)[0]] = verdict
    lost = [name for name, verdict in verdicts.items() if earlier.get(name) == "caught" and verdict != "caught"]
    for name in lost:
        print(f"caught before, not now: {name}")
    print(f"against {args.against}: {len(lost)} of the faults caught there are not caught now")
    return 1 if lost else 0


if __name__ == "__main__":
    sys.exit(main())
