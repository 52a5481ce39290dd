#!/usr/bin/env python3
"""The include graph between the folders of src/, and a check that the rules library keeps its layers.

Prints every arrow "from -> to (n includes)". Fails (exit 1) when a folder of the rules library
includes a folder that stands above it or outside it, includes a Qt header, or when a folder of
src/ has no place in the layers below (a new folder is placed here on purpose).

    tools/dev/include_layers.py [SRC_DIR] [--quiet]
"""
import os
import re
import sys

# The rules library from the top down; a folder may include only folders of a lower rank, or of
# its own rank when no cycle results. The front ends stand above it all.
RANKS = {
    "turn": 5,
    "strategy": 4,
    "war": 3,
    "events": 2,
    "saveload": 1, "setup": 1, "messages": 1, "screens": 1, "media": 1,
    "world": 0,
}
FRONT_ENDS = {"ui", "app"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt")


def scan(src):
    """{(from, to): count} of the quoted includes between folders, and the Qt includes by file."""
    arrows, qt = {}, []
    for folder in sorted(os.listdir(src)):
        top = os.path.join(src, folder)
        if not os.path.isdir(top):
            continue
        for root, _, files in os.walk(top):
            for name in sorted(files):
                path = os.path.join(root, name)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for kind, target in INCLUDE.findall(text):
                    if kind == "<" and QT_HEADER.match(target):
                        qt.append(os.path.relpath(path, src))
                    if kind == '"' and "/" in target:
                        to = target.split("/", 1)[0]
                        if to != folder:
                            arrows[(folder, to)] = arrows.get((folder, to), 0) + 1
    return arrows, qt


def cycles(arrows):
    """Folders that lie on a cycle of arrows."""
    graph = {}
    for a, b in arrows:
        graph.setdefault(a, set()).add(b)
    on_cycle = set()
    for start in graph:
        stack, seen = [start], set()
        while stack:
            node = stack.pop()
            for nxt in graph.get(node, ()):
                if nxt == start:
                    on_cycle.add(start)
                elif nxt not in seen:
                    seen.add(nxt)
                    stack.append(nxt)
    return on_cycle


def main(argv):
    quiet = "--quiet" in argv
    args = [a for a in argv if a != "--quiet"]
    src = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    arrows, qt = scan(src)
    problems = []
    folders = {f for f in os.listdir(src) if os.path.isdir(os.path.join(src, f))}
    for f in sorted(folders - set(RANKS) - FRONT_ENDS):
        problems.append(f"src/{f}/ has no place in the layers")
    upward = 0
    for (a, b), n in sorted(arrows.items()):
        mark = ""
        if a in RANKS and (b not in RANKS or RANKS[b] > RANKS[a]):
            upward += 1
            mark = "   <- upward"
            problems.append(f"src/{a}/ includes src/{b}/ ({n} includes), which stands above it")
        if not quiet:
            print(f"{a} -> {b}  ({n}){mark}")
    for f in sorted(cycles({k: v for k, v in arrows.items() if k[0] in RANKS}) ):
        problems.append(f"src/{f}/ lies on a cycle of includes")
    for path in sorted(set(qt)):
        if path.split(os.sep, 1)[0] in RANKS:
            problems.append(f"src/{path} includes Qt")
    if not quiet:
        rules = sum(1 for a, b in arrows if a in RANKS and b in RANKS)
        print(f"{len(arrows)} arrows between folders, {rules} of them between rules folders, {upward} upward")
    for p in problems:
        print("layer check:", p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
