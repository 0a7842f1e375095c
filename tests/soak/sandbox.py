"""The soak's sandbox: a seeded tree of folders and files with odd names, every file with its
own bytes, its manifest (relative path and SHA-256 of every file), and the check that each
manifest file still exists somewhere (sandbox or trash) with its original bytes."""
import hashlib
import json
import os
import random

# Names that stress the program's text, sort and type-ahead paths. Extensions are ones no
# program of a fresh Wine prefix opens, so that launching a tile only brings the shell's box.
STEMS = ['alpha', 'beta', 'gamma', 'delta', 'notes', 'report', 'zeta', 'omega',
         '\u0434\u043e\u043a\u0443\u043c\u0435\u043d\u0442', '\u0444\u0430\u0439\u043b',
         '\u6587\u4ef6', '\u30c6\u30b9\u30c8', '\U0001f600smile', 'rocket\U0001f680',
         'a.b.c', 'many...dots', 'space name', 'UPPER', 'mixedCase', '1digit', '_under']
EXTENSIONS = ['.txt', '.dat', '.bin', '.csv', '.log', '.tar.gz', '.x.y', '']
# Most folder names are plain: the soak opens those by typing their path (xdotool types no
# other letters into Wine), and needs forty of them to reach the program's limit.
FOLDER_STEMS = ['dir', 'sub', 'v1.2.3', 'deep', 'noext', 'box', 'data', 'more'] * 3 + [
    '\u043f\u0430\u043f\u043a\u0430', '\u76ee\u5f55', '\U0001f4c1box']


def sha256_file(path):
    digest = hashlib.sha256()
    with open(path, 'rb') as f:
        for block in iter(lambda: f.read(1 << 16), b''):
            digest.update(block)
    return digest.hexdigest()


def make_tree(root, seed, files=400, depth=3):
    """Creates about files files in folders nested up to depth levels under root; returns the
    folders' relative paths (root first, as '')."""
    rng = random.Random(seed)
    os.makedirs(root)
    folders = ['']
    # Plain top folders first, so that plain paths below them are many.
    for index, stem in enumerate(FOLDER_STEMS[:6]):
        os.makedirs(os.path.join(root, f'{stem}_{index}'))
        folders.append(f'{stem}_{index}')
    for index in range(files):
        parent = rng.choice(folders)
        if parent.count(os.sep) + 1 < depth and rng.random() < 0.2:
            name = f'{rng.choice(FOLDER_STEMS)}{index}'
            if rng.random() < 0.1:
                name = '.' + name
            folder = os.path.join(parent, name)
            os.makedirs(os.path.join(root, folder))
            folders.append(folder)
            continue
        name = f'{rng.choice(STEMS)}{index}{rng.choice(EXTENSIONS)}'
        if rng.random() < 0.05:
            name = '.' + name  # a hidden file on the Unix side
        size = rng.choice([0, 1, 17, 300, 4096, 70000])
        # Unique bytes: the index and seed lead, random bytes fill.
        data = f'{seed}:{index}:'.encode() + rng.randbytes(size)
        with open(os.path.join(root, parent, name), 'wb') as f:
            f.write(data)
    return folders


def manifest(root):
    """{relative path: sha256} of every file below root."""
    result = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            result[os.path.relpath(path, root)] = sha256_file(path)
    return result


def hashes_below(*roots):
    """Every SHA-256 of a file below the roots (folders that exist)."""
    found = set()
    for root in roots:
        if os.path.isdir(root):
            found.update(manifest(root).values())
    return found


def missing(recorded, *roots):
    """Relative paths of the recorded files whose bytes exist nowhere below the roots."""
    found = hashes_below(*roots)
    return sorted(path for path, digest in recorded.items() if digest not in found)


def save(recorded, path):
    with open(path, 'w', encoding='utf-8') as f:
        json.dump(recorded, f, ensure_ascii=False, indent=0, sort_keys=True)


def load(path):
    with open(path, encoding='utf-8') as f:
        return json.load(f)
