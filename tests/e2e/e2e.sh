#!/usr/bin/env bash
# End to end: starts the built calculator as its own process on a private
# X server (Xvfb), operates it with real X input (xdotool), reads the fields
# back through the clipboard (xclip) and saves screenshots.
#
# usage: e2e.sh PROGRAM LAYOUT_POINTS OUTPUT_DIRECTORY
set -euo pipefail
program=$(realpath "$1")
points=$2
out=$3
mkdir -p "$out"
source "$(dirname "$0")/../xvfb.sh"
work=$WORK

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
    exit 1
}

start_xvfb "$work" || fail "no X server"

# Swedish settings: the decimal separator is a comma.
LC_ALL=sv_SE.UTF-8 LANG=sv_SE.UTF-8 QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app=$!
PIDS+=("$app")

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Ostrel v1\.3$' | head -n1) ||
    fail "the window did not appear: $(cat "$work/app.log")"
xdotool windowmove --sync "$window" 0 0
xdotool windowfocus --sync "$window"
sleep 0.3

# Control centres in window coordinates, from the window's design.
declare -A at=()
while read -r name x y; do at[$name]="$x $y"; done < <("$points")
click() { xdotool mousemove --window "$window" ${at[$1]} click 1; sleep 0.2; }
keys() { xdotool key --delay 30 "$@"; sleep 0.2; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.2; }

# Reads a field as the user would copy it: click, select all, copy.
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

# At start the focus is in FV with its 0 selected: typing replaces it.
type_text 10
keys Tab
type_text 12
keys Tab
type_text 15
keys Tab Tab Tab   # EP field, Rensa, Beräkna EP
keys space
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
timeout 10 xdotool search --sync --onlyvisible --name '^Ostrel$' >/dev/null ||
    fail "no message box appeared"
sleep 0.3
import -window root "$out/message-box.png"
keys Return
timeout 10 bash -c "while xdotool search --onlyvisible --name '^Ostrel\$' >/dev/null; do sleep 0.1; done" ||
    fail "the message box did not close"
expect_field Text1 0
expect_field Text4 18

# Beräkna FVb with a decimal comma: 7,5 EP rounds to 8 and buys 10 -> 15.
click Text1
type_text 10
click Text4
type_text "7,5"
click Command2
expect_field Text3 15
expect_field Text4 0

# Rensa.
click Command3
for field in Text1 Text2 Text3 Text4; do expect_field "$field" 0; done

kill -0 "$app" 2>/dev/null || fail "the program ended: $(cat "$work/app.log")"
click Text1
import -window "$window" "$out/window.png"
echo "screenshots in $out"
echo "1 passed, 0 failed"
