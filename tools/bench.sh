#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine: opening folders of 1,000 to 100,000 files as
# levels against a raw listing, and the frame time with 1, 10 and 40 levels.
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
build/mingw/wine-run build/mingw/bench/levels_bench.exe "$@"
