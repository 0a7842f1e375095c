# Source this to give a run the same Wine as every test: the build tree's own prefix,
# quiet debug output, no .NET/HTML engine prompts, and an X display (Xvfb when none).
#   GLIMMERA_BUILD   build tree holding the prefix (default: <repo>/build/mingw)
#   GLIMMERA_SCREEN  Xvfb screen when one must be started (default 1280x1024x24)
_glimmera_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export GLIMMERA_BUILD=${GLIMMERA_BUILD:-$_glimmera_root/build/mingw}
export WINEPREFIX=${WINEPREFIX:-$GLIMMERA_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe="}
export WINEARCH=win64

# Creates the prefix once (with Debian's Wine fonts: real Tahoma and Marlett).
glimmera_ensure_prefix() {
    mkdir -p "$GLIMMERA_BUILD"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.glimmera-ready" ]; then
            wineboot -i </dev/null >/dev/null 2>&1 9>&-
            wineserver -w 9>&-
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
            touch "$WINEPREFIX/.glimmera-ready"
        fi
    ) 9>"$GLIMMERA_BUILD/.wineprefix.lock"
}

# Starts Xvfb on a free display of the given screen size; sets DISPLAY and GLIMMERA_XVFB_PID.
glimmera_start_xvfb() {
    local screen=${1:-${GLIMMERA_SCREEN:-1280x1024x24}} n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$screen" -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
        GLIMMERA_XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$GLIMMERA_XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n" GLIMMERA_XVFB_PID
            return 0
        fi
    done
    echo "no free X display for Xvfb" >&2
    return 1
}
