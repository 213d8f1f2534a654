#!/usr/bin/env bash
# The real program under a real X server: title, a click on "Berechnen", the
# pixels of the axes and the curve, and closing during a run.
# Usage: end_to_end.sh KURVIX_BINARY
set -euo pipefail
kurvix=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
source "$here/../../scripts/lib/xvfb.sh"

work=$(mktemp -d)
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

start_xvfb
export LANG=de_DE.UTF-8 LC_ALL= LC_NUMERIC=

# The plotting area starts 8 px into the window; at 96 dpi a centimetre is
# 96 / 2.54 px and the area is 528 x 400 px, so (x, f) lands at
#   8 + floor((x + 528 / ppcm / 2) * ppcm), 8 + floor((400 / ppcm / 2 - f) * ppcm).
pixel_of() {
    awk -v x="$1" -v f="$2" 'BEGIN {
        ppcm = 96 / 2.54; w2 = 528 / ppcm / 2; h2 = 400 / ppcm / 2
        printf "%d %d\n", 8 + int((x + w2) * ppcm), 8 + int((h2 - f) * ppcm) }'
}
example() { awk -v x="$1" 'BEGIN { printf "%.6f\n", 0.25 * x^4 - 2 * x^2 + 2 }'; }

# True when a pixel of the colour (hex RRGGBB) lies within one pixel of (X, Y).
ink_near() {
    convert "$1" -crop "3x3+$(($2 - 1))+$(($3 - 1))" +repage txt:- | grep -qi "#$4"
}

"$kurvix" >"$work/log" 2>&1 &
app=$!
wid=$(kurvix_window)
[ -n "$wid" ] || { echo "FAIL: no window"; exit 1; }

name=$(xprop -id "$wid" WM_NAME)
[ "$name" = 'WM_NAME(STRING) = "Kurvix"' ] && pass "title: $name" || fail "title: $name"
net_name=$(xprop -id "$wid" _NET_WM_NAME)
[ "$net_name" = '_NET_WM_NAME(UTF8_STRING) = "Kurvix"' ] && pass "$net_name" || fail "$net_name"
size=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "547x534" ] && pass "client area $size" || fail "client area $size"

press_berechnen "$wid"
# The last visible sample lies near x = 3; wait until it is drawn.
read -r lx ly < <(pixel_of 3.0 "$(example 3.0)")
for _ in $(seq 1 100); do
    import -window "$wid" "$work/shot.png"
    ink_near "$work/shot.png" "$lx" "$ly" 000000 && break
    sleep 0.1
done
sleep 0.3
import -window "$wid" "$work/shot.png"

read -r axis_x axis_y < <(pixel_of 0 0)
ink_near "$work/shot.png" 20 "$axis_y" 0C0000 && pass "horizontal axis in colour 12" || fail "horizontal axis at y=$axis_y"
ink_near "$work/shot.png" "$axis_x" 390 0C0000 && pass "vertical axis in colour 12" || fail "vertical axis at x=$axis_x"
for x in -2.8 -2 -1 0.5 1.3 2 2.9; do
    read -r px py < <(pixel_of "$x" "$(example "$x")")
    ink_near "$work/shot.png" "$px" "$py" 000000 && pass "curve at x=$x ($px,$py)" || fail "curve at x=$x ($px,$py)"
done
read -r px py < <(pixel_of 1.5 3)
ink_near "$work/shot.png" "$px" "$py" 000000 && fail "ink off the curve at ($px,$py)" || pass "empty off the curve"

# Hostile text typed by a user: "NaN" as the first numerator asks for a function.
type_into_field() { # FIELD_LEFT_TWIPS FIELD_TOP_TWIPS TEXT
    xdotool mousemove --window "$wid" $((($1 + 127) / 15)) $((($2 + 142) / 15)) click 1
    xdotool key --window "$wid" ctrl+a BackSpace
    LC_ALL=C.UTF-8 xdotool type --window "$wid" --delay 20 "$3"
}
type_into_field 360 6600 "NaN"
press_berechnen "$wid"
box=$(timeout 5 xdotool search --sync --onlyvisible --name '^Kurvomat$' | head -n 1 || true)
if [ -n "$box" ]; then
    pass "message box \"Kurvomat\" for NaN"
    xdotool key Return
    sleep 0.3
    xdotool search --onlyvisible --name '^Kurvomat$' >/dev/null && fail "message box still open" || pass "message box closed with Return"
else
    fail "no message box for NaN"
fi
kill -0 "$app" 2>/dev/null && pass "still running after NaN" || fail "exited after NaN"

# An unreadable constant counts as 0: the example curve again.
type_into_field 360 6600 "1"
type_into_field 5400 6600 "1,5,5∞"
press_berechnen "$wid"
sleep 1.5
import -window "$wid" "$work/shot2.png"
read -r px py < <(pixel_of 2 "$(example 2)")
ink_near "$work/shot2.png" "$px" "$py" 000000 && pass "curve with an unreadable constant" || fail "curve with an unreadable constant"

# Closing during a nested run (three quick presses) ends the program cleanly.
press_berechnen "$wid" 3
sleep 0.05
closed_at=$(date +%s%N)
python3 "$here/x11_close.py" "$wid"
status=0
for _ in $(seq 1 250); do kill -0 "$app" 2>/dev/null || break; sleep 0.02; done
kill -0 "$app" 2>/dev/null && fail "still running 5 s after closing"
wait "$app" || status=$?
app=
ended_ms=$((($(date +%s%N) - closed_at) / 1000000))
limit_ms=${CLOSE_LIMIT_MS:-1000}
[ "$ended_ms" -le "$limit_ms" ] && pass "ended ${ended_ms} ms after the close request" \
    || fail "ended ${ended_ms} ms after the close request (limit ${limit_ms} ms)"
[ "$status" -eq 0 ] && pass "closed during a nested run, exit status 0" || fail "exit status $status after closing"

[ "$failures" -eq 0 ] && echo "end-to-end: all checks passed" || { cat "$work/log"; exit 1; }
