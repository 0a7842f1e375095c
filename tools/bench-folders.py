#!/usr/bin/env python3
"""Fills the benchmark's folders from the host, where Wine would need many minutes for 100,000
new names, and keeps them for the next run:

  filesN   N empty files file0.txt ... (one extension, ASCII: the best case)
  mixedN   N files named as real trees name them (the file names under /usr/share and /usr/lib:
           many extensions, none, several dots, all lengths), with a share of Cyrillic and CJK
           names, of random sizes and dates

Usage: bench-folders.py DATA_FOLDER LARGEST"""
import os
import random
import re
import sys

MIXED_COUNTS = (10000, 100000)
CYRILLIC_SHARE = 0.08
CJK_SHARE = 0.04
CYRILLIC_WORDS = ('отчёт', 'Письмо', 'договор', 'фото', 'Счёт', 'план', 'заметки', 'проект',
                  'смета', 'Презентация', 'архив', 'список', 'черновик', 'итоги', 'акт')
CJK_WORDS = ('報告書', '写真', '会議', '資料', '计划', '文件', '데이터', '사진', '議事録',
             '预算', '목록', '設計', '草稿', '总结', '見積')
# Names Windows refuses: reserved characters, a trailing dot or space, device names.
REFUSED = re.compile(r'[<>:"/\\|?*\x00-\x1f]|[. ]$|^(con|prn|aux|nul|com\d|lpt\d)(\..*)?$',
                     re.IGNORECASE)
MAX_SIZE = 4 << 20
TEN_YEARS = 10 * 365 * 24 * 3600
EPOCH = 1_500_000_000


def real_names():
    """Distinct file names of the host's trees, without case twins, in a stable order."""
    seen = {}
    for top in ('/usr/share', '/usr/lib'):
        for _, _, files in os.walk(top):
            for name in files:
                if len(name) < 200 and not REFUSED.search(name):
                    seen.setdefault(name.lower(), name)
    return sorted(seen.values())


def mixed_names(count, rng):
    """count names: real ones with numbered copies once they run out, a share in Cyrillic and
    CJK with the real names' extensions."""
    real = real_names()
    names, taken = [], set()

    def add(name):
        if name.lower() not in taken:
            taken.add(name.lower())
            names.append(name)

    copy = 1
    while len(names) < count:
        pick = rng.random()
        base = rng.choice(real)
        stem, ext = os.path.splitext(base)
        if pick < CYRILLIC_SHARE:
            add(f'{rng.choice(CYRILLIC_WORDS)} {rng.randrange(1, 2000)}{ext}')
        elif pick < CYRILLIC_SHARE + CJK_SHARE:
            add(f'{rng.choice(CJK_WORDS)}{rng.randrange(1, 2000)}{ext}')
        elif len(taken) < len(real):
            add(base)
        else:
            copy += 1
            add(f'{stem} ({copy % 50 + 2}){ext}')
    return names


def fill(folder, names, sized, rng):
    os.makedirs(folder, exist_ok=True)
    if sorted(os.listdir(folder)) == sorted(names):
        return
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    for name in names:
        path = os.path.join(folder, name)
        with open(path, 'wb') as f:
            if sized:
                f.truncate(rng.randrange(MAX_SIZE))
        if sized:
            when = EPOCH + rng.randrange(TEN_YEARS)
            os.utime(path, (when, when))


def main():
    data, largest = sys.argv[1], int(sys.argv[2])
    count = 1000
    while count <= largest:
        fill(os.path.join(data, f'files{count}'), [f'file{i}.txt' for i in range(count)], False,
             None)
        count *= 10
    for count in MIXED_COUNTS:
        if count <= largest:
            rng = random.Random(count)
            fill(os.path.join(data, f'mixed{count}'), mixed_names(count, rng), True, rng)


if __name__ == '__main__':
    main()
