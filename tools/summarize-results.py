#!/usr/bin/env python3
"""Adds up the JUnit reports of a test run and prints 'N passed, N failed'.

Usage: summarize-results.py RESULTS_DIR FORMAT_FAILED [FAILED_STEP ...]
A failed build or format step counts as one failure; exit status 1 when anything failed.
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET


def count(path):
    passed = failed = skipped = 0
    root = ET.parse(path).getroot()
    for case in root.iter('testcase'):
        outcome = {child.tag for child in case}
        if outcome & {'failure', 'error'}:
            failed += 1
            print(f"FAILED {os.path.basename(path)}: {case.get('classname', '')} {case.get('name')}")
        elif 'skipped' in outcome:
            skipped += 1
        else:
            passed += 1
    return passed, failed, skipped


def main():
    results, format_failed, steps = sys.argv[1], sys.argv[2] == '1', sys.argv[3:]
    passed = failed = skipped = 0
    for path in sorted(glob.glob(os.path.join(results, '*.xml'))):
        try:
            p, f, s = count(path)
        except ET.ParseError:
            print(f"unreadable report {path}")
            p, f, s = 0, 1, 0
        print(f"{os.path.basename(path)}: {p} passed, {f} failed, {s} skipped")
        passed, failed, skipped = passed + p, failed + f, skipped + s
    for step in [s for s in steps if s != 'format']:
        print(f"FAILED step: {step}")
        failed += 1
    if format_failed:
        print("FAILED step: format (run clang-format -i on the files above)")
        failed += 1
    for expected in ('native.xml', 'wine.xml', 'e2e.xml'):
        if not os.path.exists(os.path.join(results, expected)) and not steps:
            print(f"FAILED: no report {expected}")
            failed += 1
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    print(line)
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
