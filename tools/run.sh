#!/usr/bin/env bash
# Installs what is missing, builds glimmera.exe and starts it (optionally with a folder).
# Without an X display it starts Xvfb, writes a screenshot after start-up and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target glimmera
source tools/wine-env.sh
glimmera_ensure_prefix
exe=$GLIMMERA_BUILD/glimmera.exe

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$exe" "$@"
fi

glimmera_start_xvfb
trap 'wineserver -k 2>/dev/null; kill $GLIMMERA_XVFB_PID 2>/dev/null' EXIT
wine "$exe" "$@" &
window=
for _ in $(seq 150); do
    window=$(xdotool search --name '^Glimmera$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "Glimmera did not open its window" >&2; exit 1; }
sleep 3
shot=$GLIMMERA_BUILD/screenshot.png
import -window root "$shot"
echo "Glimmera started on a virtual display; screenshot: $shot"
xdotool key --window "$window" alt+F4 2>/dev/null || true
for _ in $(seq 50); do
    jobs -r | grep -q . || break
    sleep 0.1
done
