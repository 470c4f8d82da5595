#!/usr/bin/env python3
"""Makes the benchmark tree: make_tree.py DIR FILES [SEED].

The same arguments always give the same tree: folders of 1 to 20,000 files
(most small, a few very large), up to 8 levels deep, names with blanks, '&',
commas and non-ASCII letters, extensions from a fixed list, sparse files whose
sizes spread evenly over the powers of two up to 4 GiB, and modification times
spread over six years."""
import os
import random
import sys

EXTENSIONS = ["txt", "html", "pdf", "jpg", "png", "cpp", "h", "py", "mp3", "zip",
              "docx", "csv", "", "tar.gz", "log"]
SYLLABLES = ["al", "be", "ka", "do", "ri", "mo", "tu", "sen", "vor", "lin", "pa",
             "qu", "x", "zo"]
ODD_PARTS = [" ", "&", ",", "é", "ß", "中", "-", "_", "(1)", "'"]
FIRST_TIME = 1_600_000_000
TIME_SPAN = 200_000_000
MAX_DEPTH = 8


def stem(rng):
    text = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 12)))
    if rng.random() < 0.15:
        at = rng.randrange(len(text) + 1)
        text = text[:at] + rng.choice(ODD_PARTS) + text[at:]
    return text


def file_name(rng):
    extension = rng.choice(EXTENSIONS)
    base = stem(rng)
    return f"{base}.{extension}" if extension else base


def batch_size(rng):
    roll = rng.random()
    if roll < 0.002:
        return rng.randint(10_000, 20_000)
    if roll < 0.05:
        return rng.randint(200, 2_000)
    return rng.randint(1, 60)


def make_file(path, rng):
    size = 0 if rng.random() < 0.05 else int(2 ** rng.uniform(0, 32))
    fd = os.open(path, os.O_CREAT | os.O_WRONLY | os.O_TRUNC, 0o644)
    try:
        if size:
            os.ftruncate(fd, size)
        when = FIRST_TIME + rng.randrange(TIME_SPAN)
        os.utime(fd, (when, when))
    finally:
        os.close(fd)


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    root, total = sys.argv[1], int(sys.argv[2])
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) == 4 else 789)
    os.makedirs(root, exist_ok=True)
    folders = [(root, 0)]
    names = {root: set()}
    made = 0
    while made < total:
        folder, depth = rng.choice(folders)
        count = min(batch_size(rng), total - made)
        # Most batches go into a new folder below the chosen one.
        if depth < MAX_DEPTH and rng.random() < 0.7:
            sub = os.path.join(folder, stem(rng) or "d")
            while sub in names or os.path.lexists(sub):
                sub += "x"
            os.mkdir(sub)
            names[folder].add(os.path.basename(sub))
            names[sub] = set()
            folders.append((sub, depth + 1))
            folder = sub
        taken = names[folder]
        for _ in range(count):
            name = file_name(rng)
            while name in taken:
                name = "x" + name
            taken.add(name)
            make_file(os.path.join(folder, name), rng)
            made += 1
    print(f"{made} files in {len(folders)} folders under {root}")


main()
