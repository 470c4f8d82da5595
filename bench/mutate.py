#!/usr/bin/env python3
"""Measures what the test suite protects: applies one small fault at a time to
src/ at a seeded sample of sites, builds, runs the suite's fast part (every
test but the web engine's), and records which faults no test noticed.

    bench/mutate.py [--sites N] [--seed S] [--build DIR] [--out FILE]
                    [--folders engine,settings,text,net,ui] [--list]
    bench/mutate.py --replay OLD.tsv [--out FILE]
    bench/mutate.py --compare BEFORE.tsv AFTER.tsv

A fault ("mutant") is one of: a comparison flipped (== !=, < >=, > <=), && and
|| swapped, a whole-number constant changed by one, a statement dropped, a
true/false return inverted, an early return put at the top of an if-block.
Sites are drawn from the non-comment code lines of the .cpp files under the
chosen folders of src/: each candidate is ranked by a hash of the seed, its
file and the line's text, so a seed names the same sample on the same tree and
an edit elsewhere does not reshuffle it. --replay runs exactly the mutants of an
earlier result file, found again by their line's text ("gone" when the line no
longer exists), so that the suite before and after a change meets the same
faults; --compare lists the mutants that live after but not before. A mutant that does not compile is "stillborn" and does not
count. Results go to FILE (default bench/out/mutants-SEED.tsv), one line a
mutant: file, line, operator, outcome (killed, survived, stillborn, timeout),
the line before and after; a summary closes the run. --list only prints the
sample.

The source file is restored after every mutant, also on Ctrl-C.
"""
import argparse
import hashlib
import os
import re
import signal
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

COMPARISONS = [("==", "!="), ("!=", "=="), ("<=", "<"), (">=", ">"), (" < ", " >= "), (" > ", " <= ")]


def code_lines(path):
    """(number, text) of the lines worth mutating: no comments, includes,
    preprocessor lines, or lines that only open or close a block."""
    out = []
    in_comment = False
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for n, line in enumerate(f, 1):
            s = line.strip()
            if in_comment:
                if "*/" in s:
                    in_comment = False
                continue
            if s.startswith("/*"):
                in_comment = "*/" not in s
                continue
            if not s or s.startswith("//") or s.startswith("#") or s in ("{", "}", "};", "});"):
                continue
            if s.startswith(("namespace", "using ", "template", "static_assert")):
                continue
            out.append((n, line))
    return out


def strip_strings(text):
    """The line with string and character literals blanked, so that
    operators inside them are not taken for code."""
    return re.sub(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', lambda m: " " * len(m.group(0)), text)


def mutations(line):
    """Every (operator, new line) one line allows."""
    code = strip_strings(line)
    body = code.split("//")[0]
    found = []
    for old, new in COMPARISONS:
        for m in re.finditer(re.escape(old), body):
            i = m.start()
            # Not part of <<, >>, ->, <=> or a template argument list opening.
            if old.strip() in ("<", ">") and ("<" + old.strip() in body or "operator" in body):
                continue
            if old in ("<=", ">=") and body[i - 1:i] in "<>" and i > 0:
                continue
            found.append(("compare", line[:i] + new + line[i + len(old):]))
    for old, new in (("&&", "||"), ("||", "&&")):
        for m in re.finditer(re.escape(old), body):
            i = m.start()
            found.append(("logic", line[:i] + new + line[i + len(old):]))
    for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", body):
        value = int(m.group(1))
        found.append(("constant", line[:m.start()] + str(value + 1) + line[m.end():]))
    s = body.strip()
    if re.match(r"return (true|false);$", s):
        found.append(("return", line.replace("return true;", "return !true;") if "true" in s
                      else line.replace("return false;", "return !false;")))
    if (s.endswith(";") and not s.startswith(("return", "const ", "auto ", "static ", "case ", "break", "continue"))
            and re.match(r"^[\w:.\->\[\]()*& ]+\(.*\);$", s) and "=" not in s.split("(")[0]):
        indent = line[: len(line) - len(line.lstrip())]
        found.append(("drop", indent + ";\n"))
    m = re.match(r"^(\s*)if \((.*)\) \{\s*$", body)
    if m:
        found.append(("early", line.rstrip("\n") + " if (true) return {};\n"))
    return found


def sample(folders, count, seed):
    sites = []
    for folder in folders:
        top = os.path.join(REPO, "src", folder)
        for root, _, files in sorted(os.walk(top)):
            for name in sorted(files):
                if not name.endswith(".cpp"):
                    continue
                path = os.path.join(root, name)
                for n, line in code_lines(path):
                    for op, new in mutations(line):
                        if new != line:
                            sites.append((os.path.relpath(path, REPO), n, op, line, new))
    seen = {}
    ranked = []
    for site in sites:
        path, _, op, old, new = site
        text = f"{path}|{op}|{old.strip()}|{new.strip()}"
        seen[text] = seen.get(text, 0) + 1
        key = hashlib.sha1(f"{seed}|{text}|{seen[text]}".encode("utf-8", "surrogateescape")).hexdigest()
        ranked.append((key, site))
    ranked.sort()
    return sorted((site for _, site in ranked[:count]), key=lambda s: (s[0], s[1]))


def read_results(path):
    """The mutants of a result file: (file, line, operator, outcome, old, new)."""
    rows = []
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 6:
                rows.append((parts[0], int(parts[1]), parts[2], parts[3], parts[4], parts[5]))
    return rows


def replayed(rows):
    """The mutants of an earlier run placed on today's tree: the line with the
    same text nearest to the recorded number; None where it is gone."""
    chosen = []
    for path, n, op, _, old, new in rows:
        full = os.path.join(REPO, path)
        match = None
        if os.path.exists(full):
            with open(full, encoding="utf-8", errors="surrogateescape") as f:
                lines = f.readlines()
            hits = [i + 1 for i, text in enumerate(lines) if text.strip() == old]
            if hits:
                at = min(hits, key=lambda i: abs(i - n))
                line = lines[at - 1]
                indent = line[: len(line) - len(line.lstrip())]
                match = (path, at, op, line, indent + new + "\n")
        chosen.append(match or (path, n, op, None, old + " -> " + new))
    return chosen


def compare(before, after):
    def key(row):
        return (row[0], row[2], row[4], row[5])
    old = {key(r): r[3] for r in read_results(before)}
    new = {key(r): r[3] for r in read_results(after)}
    both = [k for k in old if k in new]
    alive_before = sum(1 for k in both if old[k] == "survived")
    alive_after = sum(1 for k in both if new[k] == "survived")
    print(f"mutants in both runs: {len(both)}; survived before {alive_before}, after {alive_after}")
    worse = [k for k in both if new[k] == "survived" and old[k] != "survived"]
    for path, op, before_text, after_text in worse:
        print(f"now survives: {path} {op}: {before_text} -> {after_text}")
    return 1 if worse else 0


def run(cmd, timeout):
    try:
        return subprocess.run(cmd, cwd=REPO, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout, start_new_session=True).returncode
    except subprocess.TimeoutExpired:
        return None


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--sites", type=int, default=150)
    ap.add_argument("--seed", type=int, default=26)
    ap.add_argument("--build", default=os.path.join(REPO, "build"))
    ap.add_argument("--out")
    ap.add_argument("--folders", default="engine,settings,text,net,ui")
    ap.add_argument("--jobs", default=str(os.cpu_count() or 2))
    ap.add_argument("--test-timeout", type=int, default=600)
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--replay", metavar="OLD.tsv")
    ap.add_argument("--compare", nargs=2, metavar=("BEFORE.tsv", "AFTER.tsv"))
    args = ap.parse_args()

    if args.compare:
        return compare(*args.compare)
    if args.replay:
        # Those the old suite killed come first: whether one of them now lives
        # is the question a replay answers; the old survivors can only improve.
        rows = read_results(args.replay)
        order = {"killed": 0, "timeout": 1, "pending": 1, "survived": 2}
        rows.sort(key=lambda r: order.get(r[3], 3))
        chosen = replayed(rows)
    else:
        chosen = sample(args.folders.split(","), args.sites, args.seed)
    if args.list:
        for path, n, op, old, new in chosen:
            if old is None:
                print(f"{path}:{n}\t{op}\tgone\t{new}")
                continue
            print(f"{path}:{n}\t{op}\t{old.strip()}\t->\t{new.strip()}")
        return 0
    out = args.out or os.path.join(REPO, "bench", "out", f"mutants-{args.seed}.tsv")
    os.makedirs(os.path.dirname(out), exist_ok=True)

    build = ["cmake", "--build", args.build, "-j", args.jobs]
    if run(build, 3600) != 0:
        print("mutate: the unchanged tree does not build", file=sys.stderr)
        return 1
    fast = ["ctest", "--test-dir", args.build, "-j", args.jobs, "-E", r"^web\.", "--stop-on-failure",
            "--timeout", "90"]
    if run(fast, args.test_timeout) != 0:
        print("mutate: the unchanged suite does not pass", file=sys.stderr)
        return 1

    counts = {}
    restore = {}

    def put_back(*_):
        for path, text in restore.items():
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write(text)
        restore.clear()

    signal.signal(signal.SIGINT, lambda *a: (put_back(), sys.exit(130)))
    with open(out, "w", encoding="utf-8", errors="surrogateescape") as log:
        for i, (path, n, op, old, new) in enumerate(chosen, 1):
            if old is None:
                counts["gone"] = counts.get("gone", 0) + 1
                before, after = new.split(" -> ", 1)
                log.write(f"{path}\t{n}\t{op}\tgone\t{before}\t{after}\n")
                continue
            full = os.path.join(REPO, path)
            with open(full, encoding="utf-8", errors="surrogateescape") as f:
                original = f.read()
            lines = original.splitlines(keepends=True)
            lines[n - 1] = new
            restore[full] = original
            with open(full, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write("".join(lines))
            started = time.time()
            try:
                if run(build, 1800) != 0:
                    outcome = "stillborn"
                else:
                    code = run(fast, args.test_timeout)
                    outcome = "timeout" if code is None else ("survived" if code == 0 else "killed")
            finally:
                put_back()
                os.utime(full, None)  # the next build sees the original again
            counts[outcome] = counts.get(outcome, 0) + 1
            log.write(f"{path}\t{n}\t{op}\t{outcome}\t{old.strip()}\t{new.strip()}\n")
            log.flush()
            print(f"[{i}/{len(chosen)}] {outcome:9} {path}:{n} {op} ({time.time() - started:.0f} s)", flush=True)
    run(build, 3600)
    alive = counts.get("survived", 0)
    counted = sum(v for k, v in counts.items() if k not in ("stillborn", "gone"))
    print(f"mutants: {len(chosen)}; " + ", ".join(f"{k} {v}" for k, v in sorted(counts.items())))
    if counted:
        print(f"survivors: {alive} of {counted} that compiled ({100 * alive / counted:.0f} %)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
