#!/usr/bin/env bash
# Randomized soak: creates a sandbox of a few hundred files with odd names, drives the test
# build's glimmera.exe on it with seeded random real input for MINUTES (default 2), checks that
# it lives, answers and holds flat resource counts, closes it, and checks every file of the
# sandbox is still there or in the trash with its bytes.
# Usage: tools/soak.sh [MINUTES] [SEED]. Exits non-zero on a crash, hang, growing count or
# missing file. Leaves no Wine server or Xvfb running and removes what it recycled.
#   GLIMMERA_SOAK_BUILD  the test build tree it builds and runs (default: <repo>/build/mingw)
#   GLIMMERA_SOAK_DIR    its own Wine prefix, home and sandbox drive, and the run's files:
#                        actions.log, manifest.json, evidence/ (default: <repo>/build/soak)
set -uo pipefail
minutes=${1:-2}
seed=${2:-$RANDOM}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Never the prefix or display of a caller that sourced tools/wine-env.sh (test-all.sh).
export GLIMMERA_BUILD=${GLIMMERA_SOAK_BUILD:-$root/build/mingw}
soak=${GLIMMERA_SOAK_DIR:-$root/build/soak}
export WINEPREFIX=$soak/wineprefix GLIMMERA_PREFIX=$soak/wineprefix
unset GLIMMERA_XVFB_PID
if [ ! -f "$GLIMMERA_BUILD/CMakeCache.txt" ]; then
    cmake --preset mingw -B "$GLIMMERA_BUILD" >/dev/null || exit 1
fi
cmake --build "$GLIMMERA_BUILD" -j2 --target glimmera wininfo counts paneinfo >/dev/null || exit 1

drive=$soak/drive
source tools/wine-env.sh
glimmera_own_home "$soak/home"
trash=$XDG_DATA_HOME/Trash
mkdir -p "$drive/tmp"
GLIMMERA_BUILD=$soak glimmera_ensure_prefix
glimmera_check_prefix_home || exit 1

# Z: shows only the soak's drive folder (the sandbox and the program's copy), so no action
# can reach the rest of the machine. Whatever happens, Z: is / again afterwards, the
# recycled entries are gone and no Wine server or Xvfb is left.
trash_before=$(mktemp)
(cd "$trash" && find files info -mindepth 1 -maxdepth 1 | sort) >"$trash_before"
finish() {
    # The soak's own server and Xvfb, never those of the build tree it runs.
    GLIMMERA_BUILD=$soak glimmera_stop_wine
    ln -sfn / "$WINEPREFIX/dosdevices/z:"
    (cd "$trash" && find files info -mindepth 1 -maxdepth 1 | sort) |
        comm -13 "$trash_before" - | (cd "$trash" && xargs -r -d '\n' rm -rf --)
    rm -f "$trash_before"
}
trap finish EXIT
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
ln -sfn "$drive" "$WINEPREFIX/dosdevices/z:"
glimmera_start_xvfb 1280x1024x24 || exit 1
# The new server starts the prefix's services before the program does: a full run once saw the
# program's first start in a prefix made seconds before end at once, with the services' RPC
# still unanswered.
wine cmd /c exit </dev/null >/dev/null 2>&1

start=$(date +%s)
TMPDIR=$drive/tmp /usr/bin/python3 tests/soak/soak.py "$minutes" "$seed" "$drive" "$trash"
status=$?
echo "soak took $(($(date +%s) - start)) s (build excluded); actions in $soak/actions.log"
exit $status
