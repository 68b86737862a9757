#!/usr/bin/env bash
# End to end on Windows' terms: starts the built ostrel.exe under Wine, in a
# prefix of its own on a private X server (Xvfb), operates it with real X
# input (xdotool) as a person would, reads the fields back through the
# clipboard (xclip) and saves screenshots at 96 and at 192 dots per inch, and
# one framed as on Windows.
#
# usage: e2e-wine.sh WINE_RUN ARCH PROGRAM LAYOUT_POINTS OUTPUT_DIRECTORY
#   WINE_RUN       cmake/wine-run;  ARCH  win32 or win64
#   PROGRAM        ostrel.exe;      LAYOUT_POINTS  layout_points.exe
set -euo pipefail
wine_run=$(realpath "$1")
arch=$2
program=$(realpath "$3")
points=$(realpath "$4")
out=$5
mkdir -p "$out"
source "$(dirname "$0")/../xvfb.sh"
work=$WORK
prefix=$work/prefix
export WINESERVER=/usr/lib/wine/wineserver64
[[ -x $WINESERVER ]] || WINESERVER=/usr/lib/wine/wineserver

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}
finish_wine() { WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true; }
trap 'finish_wine; cleanup_x_script' EXIT

XVFB_SCREEN=1024x768x24 start_xvfb "$work" || fail "no X server"
# Swedish settings: the decimal separator is a comma.
export LC_ALL=sv_SE.UTF-8 LANG=sv_SE.UTF-8
wine() { "$wine_run" "$arch" "$prefix" "$@"; }

declare -A at=()
window=

# start DPI: starts the program at that resolution and finds its window and
# its controls' places on the screen.
start() {
    local dpi=$1
    finish_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 || fail "could not set $dpi dpi"
    wine "$program" >"$work/app-$dpi.log" 2>&1 &
    PIDS+=("$!")
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Ostrel v1\.3$' | head -n1) ||
        fail "the window did not appear at $dpi dpi: $(cat "$work/app-$dpi.log")"
    xdotool windowmove --sync "$window" 0 0
    xdotool windowfocus --sync "$window"
    sleep 0.5
    at=()
    while read -r name x y; do at[$name]="$x $y"; done < <(wine "$points" "$dpi" | tr -d '\r')
    # Without a window manager Wine draws the frame itself, inside the X
    # window: the client area sits a frame's width in from the sides and
    # the bottom.
    local width height client_width client_height
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
    read -r client_width client_height <<<"${at[client]}"
    border=$(((WIDTH - client_width) / 2))
    top=$((HEIGHT - client_height - border))
    ((border >= 0 && top >= 0)) || fail "a window of ${WIDTH}x$HEIGHT cannot hold the client area"
}
click() {
    local x y
    read -r x y <<<"${at[$1]}"
    xdotool mousemove --window "$window" $((x + border)) $((y + top)) click 1
    sleep 0.3
}
keys() { xdotool key --delay 50 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 50 "$1"; sleep 0.3; }
read_field() {
    printf '' | xclip -selection clipboard
    click "$1"
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null || true
}
expect_field() {
    local got
    got=$(read_field "$1")
    [[ $got == "$2" ]] || fail "$1 holds '$got', expected '$2'"
    echo "ok: $1 = $2"
}
box_open() { xdotool search --onlyvisible --name '^Ostrel$' >/dev/null; }

start 96
# At start the focus is in FV with its 0 selected: typing replaces it.
type_text 10
keys Tab
type_text 12
keys Tab
type_text 15
keys Tab Tab Tab   # EP field, Rensa, Beräkna EP
keys space
expect_field Text4 8
# Enter in a field presses no button.
click Text1
keys Return
box_open && fail "Enter opened a message box"
expect_field Text4 8

# More than eight typed characters: the ninth is refused.
click Text2
type_text 123456789
expect_field Text2 12345678

# A letter in FV: the message box, then FV repaired to 0 and EP 18 (12 + 1 + 2 + 3).
click Text1
type_text x
click Text2
type_text 12
click Command1
timeout 10 bash -c "until xdotool search --onlyvisible --name '^Ostrel\$' >/dev/null; do sleep 0.1; done" ||
    fail "no message box appeared"
sleep 0.5
import -window root "$out/message-box-96dpi.png"
keys Return
timeout 10 bash -c "while xdotool search --onlyvisible --name '^Ostrel\$' >/dev/null; do sleep 0.1; done" ||
    fail "the message box did not close"
expect_field Text1 0
expect_field Text4 18

# Beräkna FVb with the Swedish decimal comma: 7,5 EP rounds to 8 and buys 10 -> 15.
click Text1
type_text 10
click Text4
type_text "7,5"
click Command2
expect_field Text3 15
expect_field Text4 0
click Command3
click Text1
import -window "$window" "$out/window-96dpi.png"

# At 192 dpi everything is twice the size, and still where a click finds it.
start 192
type_text 10
click Text2
type_text 12
click Text3
type_text 15
click Command1
expect_field Text4 8
click Text1
import -window "$window" "$out/window-192dpi.png"

# As Windows shows it, framed: Wine draws the frames itself on a desktop of
# its own (title, icon, a close box and no minimize or maximize box).
finish_wine
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wine explorer /desktop=ostrel,480x360 "$program" >"$work/desktop.log" 2>&1 &
PIDS+=("$!")
framed=$(timeout 60 xdotool search --sync --onlyvisible --name '^Ostrel v1\.3$' | head -n1) ||
    fail "the window did not appear on Wine's desktop: $(cat "$work/desktop.log")"
sleep 2
import -window "$framed" "$out/window-framed-96dpi.png"

echo "screenshots in $out"
echo "1 passed, 0 failed"
