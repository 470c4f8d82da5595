#!/usr/bin/env python3
"""What each test alone reaches of src/: the companion of mutate.py when the
suite is cut. It builds the project with --coverage, runs every test of the
suite by itself (fixtures such as smbd and Xvfb come along), keeps the source
lines each test's process and its children executed, and answers which lines
a set of tests is the only one to reach.

    bench/test_reach.py run [--build DIR] [--tests REGEX]
                                                build and run (about 15 min on 2 cores)
    bench/test_reach.py report                  per test file: lines, tests, lines only they reach
    bench/test_reach.py whatif REGEX [REGEX...] src lines no test would reach without the
                                                tests whose ctest names match

A line reached is not a line checked, so this is a floor: a test whose removal
loses no line may still be the only one to check a result (mutate.py says
that). Coverage is per test, not per table row. A test run as another user
cannot write its coverage files and shows less than it reaches.
"""
import argparse
import collections
import json
import os
import re
import shutil
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(REPO, "bench", "out", "reach")


def load():
    with open(os.path.join(OUT, "reach.json")) as f:
        return {name: set(lines) for name, lines in json.load(f).items()}


def lines_of(test_dir, build):
    """src lines with a count in the .gcda files under test_dir (a copy of the
    build's layout), through gcov's JSON output."""
    gcdas = []
    for root, _, files in os.walk(test_dir):
        for f in files:
            if f.endswith(".gcda"):
                g = os.path.join(root, f)
                note = os.path.join(build, os.path.relpath(g, test_dir))[:-5] + ".gcno"
                if not os.path.exists(g[:-5] + ".gcno"):
                    os.symlink(note, g[:-5] + ".gcno")
                gcdas.append(g)
    reached = set()
    if not gcdas:
        return reached
    src = os.path.join(REPO, "src") + os.sep
    out = subprocess.run(["gcov", "--json-format", "--stdout"] + gcdas, capture_output=True, text=True,
                         cwd=test_dir).stdout
    for doc in out.splitlines():
        if not doc.startswith("{"):
            continue
        for f in json.loads(doc)["files"]:
            if f["file"].startswith(src):
                rel = f["file"][len(src):]
                reached.update(f"{rel}:{l['line_number']}" for l in f["lines"] if l["count"] > 0)
    return reached


def run(build, only):
    flags = "--coverage -O0"
    subprocess.run(["cmake", "-S", REPO, "-B", build, "-DCMAKE_BUILD_TYPE=Debug", "-DQUILLORY_TESTS=ON",
                    f"-DCMAKE_CXX_FLAGS={flags}", f"-DCMAKE_C_FLAGS={flags}",
                    "-DCMAKE_EXE_LINKER_FLAGS=--coverage", "-DCMAKE_SHARED_LINKER_FLAGS=--coverage"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j", str(os.cpu_count() or 2)], check=True,
                   stdout=subprocess.DEVNULL)
    listed = subprocess.run(["ctest", "--test-dir", build, "-N"], capture_output=True, text=True).stdout
    tests = [m.group(1) for m in re.finditer(r"Test +#\d+: (.*)", listed)
             if not m.group(1).endswith((".start", ".stop")) and re.search(only, m.group(1))]
    shutil.rmtree(OUT, ignore_errors=True)
    os.makedirs(OUT)

    def gcda_files():
        for root, _, files in os.walk(build):
            for f in files:
                if f.endswith(".gcda"):
                    yield os.path.join(root, f)

    for g in list(gcda_files()):
        os.remove(g)
    reach, failed = {}, []
    for i, name in enumerate(tests, 1):
        code = subprocess.run(["ctest", "--test-dir", build, "-R", "^" + re.escape(name) + "$", "--timeout", "300"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode
        if code != 0:
            failed.append(name)
        kept = os.path.join(OUT, "t")
        for g in list(gcda_files()):
            to = os.path.join(kept, os.path.relpath(g, build))
            os.makedirs(os.path.dirname(to), exist_ok=True)
            shutil.move(g, to)
        reach[name] = sorted(lines_of(kept, build))
        shutil.rmtree(kept)
        print(f"[{i}/{len(tests)}] {len(reach[name]):6} lines  {name}", flush=True)
    with open(os.path.join(OUT, "reach.json"), "w") as f:
        json.dump(reach, f)
    for name in failed:
        print(f"test_reach: failed in the coverage build (its reach may be short): {name}", file=sys.stderr)
    return 0


def test_files():
    """ctest name -> the test file that defines it."""
    where = {}
    listed = subprocess.run(["git", "ls-files", "tests"], capture_output=True, text=True, cwd=REPO).stdout.split()
    for path in listed:
        if path.endswith((".cpp", ".h")):
            with open(os.path.join(REPO, path), errors="replace") as f:
                for m in re.finditer(r"TEST(?:_F|_P)?\(\s*(\w+)\s*,\s*(\w+)\s*\)", f.read()):
                    where[f"{m.group(1)}.{m.group(2)}"] = path
    return where


def bare(name):
    # "ui.Paths/SelectByPath.Expands/InsideHome  # GetParam() = ..." -> "SelectByPath.Expands"
    name = re.sub(r"^(smb|ui|ui_smb|web)\.", "", name)
    name = re.sub(r"^\w+/", "", name)
    return re.sub(r"[/ ].*$", "", name)


def report():
    reach = load()
    count = collections.Counter()
    for lines in reach.values():
        count.update(lines)
    where = test_files()
    per_file = collections.defaultdict(lambda: [0, 0, 0])
    for name, lines in reach.items():
        only = sum(1 for l in lines if count[l] == 1)
        row = per_file[where.get(bare(name), "?")]
        row[0] += 1
        row[1] += only
        row[2] += only == 0
    print("| test file | non-blank lines | tests | src lines only its tests reach | tests reaching nothing alone |")
    print("|---|---:|---:|---:|---:|")
    for path, (tests, only, none) in sorted(per_file.items(), key=lambda kv: kv[1][1]):
        size = sum(1 for l in open(os.path.join(REPO, path)) if l.strip()) if path != "?" else 0
        print(f"| {path} | {size} | {tests} | {only} | {none} |")
    print(f"\n{sum(1 for n in reach if all(count[l] > 1 for l in reach[n]))} of {len(reach)} tests reach no line alone")
    return 0


def whatif(patterns):
    reach = load()
    dropped = {n for n in reach if any(re.search(p, n) for p in patterns)}
    if not dropped:
        print("test_reach: no test matches", file=sys.stderr)
        return 2
    kept = set().union(*(reach[n] for n in reach if n not in dropped))
    lost = set().union(*(reach[n] for n in dropped)) - kept
    print(f"without {len(dropped)} tests ({', '.join(sorted(dropped))}): {len(lost)} src lines reached by none")
    texts = {}
    for line in sorted(lost, key=lambda l: (l.rsplit(":", 1)[0], int(l.rsplit(":", 1)[1]))):
        path, n = line.rsplit(":", 1)
        if path not in texts:
            with open(os.path.join(REPO, "src", path), errors="replace") as f:
                texts[path] = f.read().split("\n")
        print(f"  src/{path}:{n}: {texts[path][int(n) - 1].strip()[:110]}")
    return 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = ap.add_subparsers(dest="command", required=True)
    r = sub.add_parser("run")
    r.add_argument("--build", default=os.path.join(REPO, "bench", "out", "reach-build"))
    r.add_argument("--tests", default="", help="only the tests whose ctest names match")
    sub.add_parser("report")
    w = sub.add_parser("whatif")
    w.add_argument("patterns", nargs="+")
    args = ap.parse_args()
    if args.command == "run":
        return run(args.build, args.tests)
    if args.command == "report":
        return report()
    return whatif(args.patterns)


if __name__ == "__main__":
    sys.exit(main())
