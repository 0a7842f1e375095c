#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine: opening folders of 1,000 to 100,000 files as
# levels and choosing other orders, against a raw listing; the frame time with 1, 10 and 40
# levels (a 1400x900 scene drawn off screen and copied into a window); and the start-up time of
# the program to its first frame beside that of a bare GL program.
# Usage: tools/bench.sh [largest file count, default 100000]
# Leaves no Xvfb or wineserver running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target levels_bench bare_gl glimmera
export GLIMMERA_BUILD=$root/build/mingw
source tools/wine-env.sh
trap glimmera_stop_wine EXIT
glimmera_ensure_prefix
# The frames are copied into a 1400x900 window, which the screen must hold.
[ -n "${DISPLAY:-}" ] || glimmera_start_xvfb 1600x1200x24
# The big folders, plain and with names as real trees have them, are filled from the host (Wine
# needs many minutes for 100,000 new names) and kept in the prefix for the next run.
largest=${1:-100000}
data=$WINEPREFIX/drive_c/glimmera-bench-data
/usr/bin/python3 tools/bench-folders.py "$data" "$largest"
export GLIMMERA_BENCH_DATA='C:\glimmera-bench-data'
build/mingw/wine-run build/mingw/bench/levels_bench.exe "$@"

# Start-up: each program says when its first frame was drawn, counted from its process's
# creation; the median of three starts.
startup_ms() {
    local log line pid
    log=$(mktemp)
    WINEDEBUG=-all,warn+seh "$@" >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 600); do
        line=$(grep -ao 'first frame [0-9]* ms' "$log" | head -n 1) && break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -f "$log"
    echo "${line//[^0-9]/}"
}
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
echo
program=() bare=()
for _ in 1 2 3; do
    bare+=("$(startup_ms wine build/mingw/bench/bare_gl.exe)")
    program+=("$(startup_ms wine build/mingw/glimmera.exe)")
done
echo "start-up to the first frame (median of 3): glimmera $(median "${program[@]}") ms" \
    "(desktop and Computer drawn), a bare GL window $(median "${bare[@]}") ms"
