#!/usr/bin/env python3
"""Fails when a source file under src/ includes across a forbidden direction.

The layers, lowest first: base, services, space, render, model, interact, app. A file may
include its own folder and the folders this table allows; nothing below app includes app, and
nothing but app includes interact.
"""
import os
import re
import sys

ALLOWED = {
    'base': set(),
    'services': {'base'},
    'space': {'base', 'services'},
    'render': {'base', 'services', 'space'},
    'model': {'base', 'services', 'space', 'render'},
    'interact': {'base', 'services', 'space', 'render', 'model'},
    'app': {'base', 'services', 'space', 'render', 'model', 'interact'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')


def violations(src):
    for folder in sorted(os.listdir(src)):
        if folder not in ALLOWED:
            continue
        for directory, _, names in os.walk(os.path.join(src, folder)):
            for name in sorted(names):
                if not name.endswith(('.cpp', '.h')):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding='utf-8') as f:
                    for number, line in enumerate(f, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        if target != folder and target in ALLOWED and target not in ALLOWED[folder]:
                            yield f'{os.path.relpath(path)}:{number}: {folder}/ must not include {target}/'


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    found = list(violations(os.path.join(root, 'src')))
    for line in found:
        print(line)
    print(f'include directions: {len(found)} violations')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
