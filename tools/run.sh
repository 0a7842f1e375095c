#!/usr/bin/env bash
# Installs what is missing, builds glimmera.exe and starts it (optionally with a folder).
# Without an X display it starts Xvfb, writes a screenshot of the first drawn frame, says
# where, and closes the program. Leaves no Xvfb or wineserver running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target glimmera
export GLIMMERA_BUILD=$root/build/mingw
source tools/wine-env.sh
glimmera_ensure_prefix
trap glimmera_stop_wine EXIT
exe=$GLIMMERA_BUILD/glimmera.exe

if [ -n "${DISPLAY:-}" ]; then
    wine "$exe" "$@"
    exit
fi

glimmera_start_xvfb
wine "$exe" "$@" &
program=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Glimmera$' 2>/dev/null | head -n 1) && break
    sleep 0.1
done
[ -n "$window" ] || { echo "Glimmera did not open its window" >&2; exit 1; }

# The first frame is drawn when the window's bottom right corner shows the scene, not black.
eval "$(xdotool getwindowgeometry --shell "$window")"
shot=$GLIMMERA_BUILD/screenshot.png
corner="p{$((X + WIDTH - 5)),$((Y + HEIGHT - 1))}"
drawn=0
for _ in $(seq 300); do
    import -window root "$shot"
    [ "$(convert "$shot" -format "%[fx:$corner.intensity > 0.1]" info:)" = 1 ] && drawn=1 && break
    sleep 0.1
done
[ "$drawn" = 1 ] || echo "Glimmera drew no frame within 30 s" >&2
echo "Glimmera started on a virtual display; screenshot: $shot"

# Closed as a user would: Alt+F4 with the pointer over the window (X focus follows it).
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key alt+F4
for _ in $(seq 100); do
    glimmera_running "$program" || break
    sleep 0.1
done
glimmera_running "$program" && { echo "Glimmera did not close" >&2; exit 1; }
wait "$program"
