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

# Gives this shell's Wine runs a home of their own in $1: the prefix links its Desktop and
# Documents to the home it is made with, and Wine recycles into $XDG_DATA_HOME/Trash, so these
# are the same on every machine and never the user's own.
glimmera_own_home() {
    export HOME=$1 XDG_DATA_HOME=$1/.local/share
    mkdir -p "$HOME/Desktop" "$HOME/Documents" "$XDG_DATA_HOME/Trash/files" \
        "$XDG_DATA_HOME/Trash/info"
}

# Fails, saying what to do, when the prefix's folders link into another home than $HOME.
glimmera_check_prefix_home() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ] && [[ $(readlink -f "$link") != "$HOME"* ]]; then
            echo "$WINEPREFIX was made with another home ($link): remove it and run again" >&2
            return 1
        fi
    done
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

# True while the process runs (a zombie has ended).
glimmera_running() {
    ps -o stat= -p "$1" 2>/dev/null | grep -qv Z
}

# Stops what Wine runs leave behind: the prefix's server (and with it every program of the
# prefix), the Xvfb this shell started and the build tree's shared one (tools/wine-run).
# Returns when they are gone; does nothing for what is not running.
glimmera_stop_wine() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    local pid
    for pid in ${GLIMMERA_XVFB_PID:-} $(cat "$GLIMMERA_BUILD/.xvfb-pid" 2>/dev/null); do
        # A recorded pid may belong to another program by now.
        [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = Xvfb ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true # reaps it when this shell started it
        while glimmera_running "$pid"; do
            sleep 0.05
        done
    done
    rm -f "$GLIMMERA_BUILD/.xvfb-pid" "$GLIMMERA_BUILD/.xvfb-display"
}
