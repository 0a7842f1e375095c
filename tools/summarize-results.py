#!/usr/bin/env python3
"""Adds up the JUnit reports of a test run and prints 'N passed, N failed'.

Usage: summarize-results.py RESULTS_DIR FORMAT_FAILED [FAILED_STEP | REPORT=STATUS ...]
A failed build or format step counts as one failure, and so does a stage whose runner ended
with a non-zero STATUS while its report shows no failure (a crash, a timeout, no tests); so does a report that is missing or holds
fewer tests than tests/suites.txt asks, and a skipped or disabled test whose reason that file
does not list. Exit status 1 when anything failed.
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def expectations():
    """The least test count of each report, and the skip messages that may stand."""
    least, skips = {}, set()
    for line in open(os.path.join(ROOT, 'tests', 'suites.txt'), encoding='utf-8'):
        kind, _, rest = line.strip().partition(' ')
        if kind == 'least':
            report, number = rest.split()
            least[f'{report}.xml'] = int(number)
        elif kind == 'skip':
            skips.add(rest)
    fuzz_targets = glob.glob(os.path.join(ROOT, 'fuzz', '*.cpp'))
    return least, skips, len(fuzz_targets)


def count(path, allowed_skips):
    """passed, failed and skipped cases of a report; a skip without a listed reason (gtest's
    disabled tests among them) is a failure."""
    passed = failed = skipped = 0
    root = ET.parse(path).getroot()
    for case in root.iter('testcase'):
        outcome = {child.tag: child for child in case}
        name = f"{os.path.basename(path)}: {case.get('classname', '')} {case.get('name')}"
        if outcome.keys() & {'failure', 'error'}:
            failed += 1
            print(f"FAILED {name}")
        elif 'skipped' in outcome or case.get('status') in ('disabled', 'notrun'):
            message = outcome['skipped'].get('message', '') if 'skipped' in outcome else ''
            if message in allowed_skips:
                skipped += 1
            else:
                failed += 1
                print(f"FAILED {name}: skipped or disabled without a listed reason ({message!r})")
        else:
            passed += 1
    return passed, failed, skipped


def main():
    results, format_failed = sys.argv[1], sys.argv[2] == '1'
    steps = [arg for arg in sys.argv[3:] if '=' not in arg]
    statuses = dict(arg.split('=', 1) for arg in sys.argv[3:] if '=' in arg)
    least, allowed_skips, fuzz_targets = expectations()
    passed = failed = skipped = 0
    for path in sorted(glob.glob(os.path.join(results, '*.xml'))):
        report = os.path.basename(path)
        try:
            p, f, s = count(path, allowed_skips)
        except ET.ParseError:
            print(f"unreadable report {path}")
            p, f, s = 0, 1, 0
        print(f"{report}: {p} passed, {f} failed, {s} skipped")
        held = p + f + s
        if report == 'fuzz.xml' and held != fuzz_targets:
            print(f"FAILED {report}: {held} cases, one per target means {fuzz_targets}")
            f += 1
        elif held < least.get(report, 0):
            print(f"FAILED {report}: {held} tests, at least {least[report]} expected")
            f += 1
        if statuses.get(report, '0') != '0' and f == 0:
            print(f"FAILED {report}: its runner ended with status {statuses[report]}")
            f += 1
        passed, failed, skipped = passed + p, failed + f, skipped + s
    for step in [s for s in steps if s != 'format']:
        print(f"FAILED step: {step}")
        failed += 1
    if format_failed:
        print("FAILED step: format (run clang-format -i on the files above)")
        failed += 1
    for expected in [*least, 'fuzz.xml']:
        if not os.path.exists(os.path.join(results, expected)):
            print(f"FAILED: no report {expected}")
            failed += 1
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
