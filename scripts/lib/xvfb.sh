# Starts a private Xvfb server on a display it picks itself (-displayfd) and
# exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
    local fifo n
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    # Xvfb writes the display's number once it accepts connections.
    if ! read -r -t 10 n <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":${n}"
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
