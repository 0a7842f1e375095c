#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine: opening folders of 1,000 to 100,000 files as
# levels against a raw listing, and the frame time with 1, 10 and 40 levels (a 1400x900 scene
# drawn off screen and copied into a window).
# Usage: tools/bench.sh [largest file count, default 100000]
# Leaves no Xvfb or wineserver running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target levels_bench
export GLIMMERA_BUILD=$root/build/mingw
source tools/wine-env.sh
trap glimmera_stop_wine EXIT
glimmera_ensure_prefix
# The frames are copied into a 1400x900 window, which the screen must hold.
[ -n "${DISPLAY:-}" ] || glimmera_start_xvfb 1600x1200x24
# The big folders are filled from the host (Wine needs many minutes for 100,000 new names) and
# kept in the prefix for the next run.
largest=${1:-100000}
data=$WINEPREFIX/drive_c/glimmera-bench-data
/usr/bin/python3 - "$data" "$largest" <<'PY'
import os, sys
data, largest = sys.argv[1], int(sys.argv[2])
count = 1000
while count <= largest:
    folder = os.path.join(data, f'files{count}')
    os.makedirs(folder, exist_ok=True)
    if len(os.listdir(folder)) != count:
        for name in os.listdir(folder):
            os.remove(os.path.join(folder, name))
        for i in range(count):
            open(os.path.join(folder, f'file{i}.txt'), 'wb').close()
    count *= 10
PY
export GLIMMERA_BENCH_DATA='C:\glimmera-bench-data'
build/mingw/wine-run build/mingw/bench/levels_bench.exe "$@"
