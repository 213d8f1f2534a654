# Starts a private Xvfb server and exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
    local n
    for n in $(seq 91 189); do
        [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
    done
    Xvfb ":${n}" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":${n}"
    local i
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb did not start on ${DISPLAY}" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# The window id of the shown Kurvix window, waiting up to 10 s for it.
kurvix_window() {
    timeout 10 xdotool search --sync --onlyvisible --name '^Kurvix$' | head -n 1
}

# Clicks "Berechnen" (WINDOW [TIMES]); the button's centre in twips, at 15
# twips a pixel.
press_berechnen() {
    xdotool mousemove --window "$1" $(((5760 + 2295 / 2) / 15)) $(((6240 + 855 / 2) / 15)) \
        click --repeat "${2:-1}" --delay 15 1
}
