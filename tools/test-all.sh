#!/usr/bin/env bash
# Installs what is missing, builds the presets and runs every test: formatting, the portable
# core natively (AddressSanitizer and UBSan, then ThreadSanitizer), the fuzz targets briefly,
# the Windows layer under Wine, the end-to-end tests and a 2-minute soak.
# Ends with one line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh || exit 1
results=$root/build/test-results
rm -rf "$results"
mkdir -p "$results"
failed_steps=()
# What each stage's runner ended with, by report: a non-zero end counts even when the report
# shows no failure.
statuses=()

step() { echo "== $*"; }
# Every stage has a time limit in minutes: a hang fails the run with its evidence kept, never
# a stuck CI.
limited() {
    local minutes=$1
    shift
    timeout --kill-after=60 "$((minutes * 60))" "$@"
}

step "format"
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
if clang-format --dry-run --Werror "${sources[@]}" 2>"$results/format.log"; then
    format_failed=0
else
    format_failed=1
    cat "$results/format.log" | head -n 40
    failed_steps+=(format)
fi

step "include directions"
/usr/bin/python3 tools/check-includes.py || failed_steps+=(include-directions)

step "native build and tests"
if cmake --preset native >/dev/null && cmake --build --preset native; then
    limited 20 ctest --preset native --no-tests=error --output-junit "$results/native.xml"
    statuses+=("native.xml=$?")
else
    failed_steps+=(native-build)
fi

step "native tests under ThreadSanitizer (icon threads, watchers)"
if cmake --preset tsan >/dev/null && limited 20 cmake --build --preset tsan; then
    limited 20 ctest --preset tsan --no-tests=error --output-junit "$results/tsan.xml"
    statuses+=("tsan.xml=$?")
else
    failed_steps+=(tsan-build)
fi

step "fuzz targets, a few seconds each over their seeds and regression inputs"
limited 15 tools/fuzz.sh 5 >"$results/fuzz.log" 2>&1
statuses+=("fuzz.xml=$?")
cat "$results/fuzz.log"
# One test case per target under fuzz/, failed when its line ("name: N executions, N findings")
# reports findings or is missing.
/usr/bin/python3 - "$results" <<'PY'
import glob, os, re, sys
from xml.sax.saxutils import quoteattr
results = sys.argv[1]
lines = {name: (findings, rest) for name, _, findings, rest in re.findall(
    r'^(\w+): (\d+) executions, (\d+) findings(.*)$', open(f'{results}/fuzz.log').read(), re.M)}
cases = ''
for target in sorted(os.path.basename(path)[:-4] for path in glob.glob('fuzz/*.cpp')):
    findings, rest = lines.get(target, (None, ''))
    failure = ('no result line' if findings is None else
               f'{findings} findings{rest}' if findings != '0' else '')
    cases += (f'<testcase classname="fuzz" name={quoteattr(target)}>'
              + (f'<failure message={quoteattr(failure)}/>' if failure else '') + '</testcase>')
open(f'{results}/fuzz.xml', 'w').write(f'<testsuite name="fuzz">{cases}</testsuite>')
PY

step "Windows build"
# The Wine stages get a prefix and an empty home of their own: the Desktop level is the same on
# every machine, and the user's own prefix and files are never touched.
export WINEPREFIX=$root/build/mingw/test-prefix GLIMMERA_PREFIX=$root/build/mingw/test-prefix
source tools/wine-env.sh
rm -rf "$root/build/test-home"
glimmera_own_home "$root/build/test-home"
# Whatever happens, no Xvfb or wineserver (ours or the build tree's shared one) outlives us.
trap glimmera_stop_wine EXIT
if cmake --preset mingw >/dev/null && cmake --build --preset mingw; then
    glimmera_ensure_prefix
    glimmera_check_prefix_home || exit 1
    glimmera_start_xvfb 1280x1024x24 || exit 1
    step "Windows tests under Wine"
    limited 20 ctest --preset mingw --no-tests=error --output-junit "$results/wine.xml"
    statuses+=("wine.xml=$?")
    wineserver -k 2>/dev/null
    step "end-to-end tests"
    # Each test has its own limit too; one that hangs fails with its screenshot and log kept.
    GLIMMERA_BUILD=$root/build/mingw limited 40 /usr/bin/python3 -m pytest -q \
        -p no:cacheprovider --timeout=400 --junitxml="$results/e2e.xml" tests/e2e
    statuses+=("e2e.xml=$?")
    step "soak: 2 minutes of random input, seed 7"
    limited 15 tools/soak.sh 2 7 >"$results/soak.log" 2>&1
    soak_status=$?
    tail -n 20 "$results/soak.log"
    /usr/bin/python3 - "$results" "$soak_status" <<'PY'
import sys
from xml.sax.saxutils import quoteattr
results, status = sys.argv[1], sys.argv[2]
failure = '' if status == '0' else f'<failure message={quoteattr(f"exit {status}, see soak.log")}/>'
open(f'{results}/soak.xml', 'w').write(
    f'<testsuite name="soak"><testcase classname="soak" name="two minutes, seed 7">{failure}'
    '</testcase></testsuite>')
PY
else
    failed_steps+=(mingw-build)
fi

/usr/bin/python3 tools/summarize-results.py "$results" "$format_failed" "${failed_steps[@]}" \
    "${statuses[@]}"
