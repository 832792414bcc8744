#!/usr/bin/env python3
"""Fails when the #include lines of the source tree's folders form a cycle.

A node is a folder with a CMakeLists.txt, which declares its library (or its
tests); the folders below it without one are parts of it (ecs/core/ of ecs/).
A file in folder A that includes "B/x.h" (a path from the source root) draws
an edge from A to B. A cycle of any length means two folders depend on each
other, which the layers forbid. Includes of a file's own folder ("x.h") and
system headers are not edges.

    python3 tools/check-include-cycles.py [SOURCE_ROOT]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SKIP = {'.git', 'node_modules'}


def owner(root, folder):
    """The folder with a CMakeLists.txt that FOLDER belongs to."""
    while folder and not os.path.isfile(os.path.join(root, folder, 'CMakeLists.txt')):
        folder = os.path.dirname(folder)
    return folder


def folders_and_edges(root):
    sources = []
    for dirpath, dirnames, filenames in os.walk(root):
        dirnames[:] = sorted(d for d in dirnames if d not in SKIP and not d.startswith('build'))
        folder = os.path.relpath(dirpath, root)
        sources += [os.path.join(folder, f) for f in sorted(filenames) if f.endswith(('.h', '.cpp'))]
    edges = {}
    for path in sources:
        folder = owner(root, os.path.dirname(path))
        if not folder:
            continue
        edges.setdefault(folder, {})
        with open(os.path.join(root, path), encoding='utf-8') as source:
            for included in INCLUDE.findall(source.read()):
                if not os.path.isfile(os.path.join(root, included)):
                    continue
                target = owner(root, os.path.dirname(included))
                if target and target != folder:
                    edges[folder].setdefault(target, f'{path} includes "{included}"')
                    edges.setdefault(target, {})
    return edges


def find_cycle(edges):
    """A cycle as a list of folders (first == last), or None."""
    state = {}  # folder -> 1 while on the path, 2 when done
    path = []

    def visit(folder):
        state[folder] = 1
        path.append(folder)
        for target in sorted(edges[folder]):
            if state.get(target) == 1:
                return path[path.index(target):] + [target]
            if target not in state:
                cycle = visit(target)
                if cycle:
                    return cycle
        path.pop()
        state[folder] = 2
        return None

    for folder in sorted(edges):
        if folder not in state:
            cycle = visit(folder)
            if cycle:
                return cycle
    return None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    edges = folders_and_edges(root)
    cycle = find_cycle(edges)
    if cycle is None:
        print(f'include cycles: none among {len(edges)} folders')
        return 0
    print('include cycles: the folders ' + ' -> '.join(cycle) + ' include each other:', file=sys.stderr)
    for a, b in zip(cycle, cycle[1:]):
        print(f'  {edges[a][b]}', file=sys.stderr)
    return 1


if __name__ == '__main__':
    sys.exit(main())
