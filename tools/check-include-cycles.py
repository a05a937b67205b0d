#!/usr/bin/env python3
"""Lists the #include "folder/..." edges between the folders under src/ and
fails when they form a cycle, so that dependencies keep pointing one way."""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z0-9_]+)/[^"]+"', re.MULTILINE)


def Edges(src):
    edges = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if target != folder and (src / target).is_dir():
                edges.setdefault(folder, {}).setdefault(target, set()).add(path.relative_to(src).as_posix())
    return edges


def Cycle(edges):
    """One cycle as a list of folders, or None."""
    state = {}
    stack = []

    def Visit(folder):
        state[folder] = "open"
        stack.append(folder)
        for target in sorted(edges.get(folder, {})):
            if state.get(target) == "open":
                return stack[stack.index(target):] + [target]
            if target not in state:
                found = Visit(target)
                if found:
                    return found
        stack.pop()
        state[folder] = "done"
        return None

    for folder in sorted(edges):
        if folder not in state:
            found = Visit(folder)
            if found:
                return found
    return None


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src")
    edges = Edges(src)
    for folder in sorted(edges):
        print(f"{folder} -> {' '.join(sorted(edges[folder]))}")
    cycle = Cycle(edges)
    if cycle:
        print("include cycle: " + " -> ".join(cycle), file=sys.stderr)
        for a, b in zip(cycle, cycle[1:]):
            print(f"  {a} -> {b}: {', '.join(sorted(edges[a][b]))}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
