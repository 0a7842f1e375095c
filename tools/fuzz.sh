#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/*.cpp: libFuzzer, clang 14, AddressSanitizer and UBSan over the
# portable core) and runs each in turn, first over its regression inputs and seeds, then for the
# given seconds. Prints one line per target, "name: N executions, N findings", and fails when
# any target found something; the input that did it is kept in build/fuzz/findings/<target>/.
# What the runs learn stays in build/fuzz/corpus/<target>/ for the next run.
# Usage: tools/fuzz.sh [seconds per target, default 5]
set -euo pipefail
seconds=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
build=$root/build/fuzz
mkdir -p "$build/logs"
if ! { cmake --preset fuzz && cmake --build --preset fuzz --target fuzzers; } \
    >"$build/logs/build.log" 2>&1; then
    tail -n 40 "$build/logs/build.log"
    echo "fuzz targets: the build failed (build/fuzz/logs/build.log)"
    exit 1
fi

failed=0
for source in fuzz/*.cpp; do
    target=$(basename "$source" .cpp)
    findings=$build/findings/$target
    learnt=$build/corpus/$target
    log=$build/logs/$target.log
    mkdir -p "$findings" "$learnt"
    # New inputs go to the first folder; the committed ones are only read.
    folders=("$learnt")
    for folder in fuzz/regressions/$target fuzz/corpus/$target; do
        [ -d "$folder" ] && folders+=("$folder")
    done
    status=0
    nice -n 19 "$build/targets/$target" -max_total_time="$seconds" -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$findings/" "${folders[@]}" >"$log" 2>&1 ||
        status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    # A target that could not start printed neither; set -e must not end the loop there.
    [ -n "$executions" ] || executions=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#' || true)
    mapfile -t saved < <(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log")
    count=${#saved[@]}
    # A run that failed without saving an input (it could not start, say) still found something.
    if [ "$status" -ne 0 ] && [ "$count" -eq 0 ]; then
        count=1
        saved=("see build/fuzz/logs/$target.log")
    fi
    line="$target: ${executions:-0} executions, $count findings"
    if [ "$count" -gt 0 ]; then
        failed=1
        line+=": ${saved[*]#"$root/"}"
    fi
    echo "$line"
done
exit "$failed"
