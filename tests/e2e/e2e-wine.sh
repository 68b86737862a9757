#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end on Windows' terms: starts the built ostrel.exe under Wine, in a
# prefix of its own on a private X server (Xvfb), and runs the scenario
# (scenario.txt) on it with real X input (xdotool) as a person would, reading
# fields back through the clipboard (xclip) and saving screenshots: all of it
# at 96 dots per inch, the sections that click every control at 192, and one
# screenshot framed as on Windows.
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
source "$(dirname "$0")/x-driver.sh"
work=$WORK
prefix=$work/prefix
export WINESERVER=/usr/lib/wine/wineserver64
[[ -x $WINESERVER ]] || WINESERVER=/usr/lib/wine/wineserver

finish_wine() { WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true; }
trap 'finish_wine; cleanup_x_script' EXIT

XVFB_SCREEN=1024x768x24 start_xvfb "$work" || fail "no X server"
# Swedish settings: the decimal separator is a comma.
export LC_ALL=sv_SE.UTF-8 LANG=sv_SE.UTF-8
wine() { "$wine_run" "$arch" "$prefix" "$@"; }

# Wine takes longer than Qt to answer a key or a click.
x_delay=50
x_pause=0.3

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
    load_points < <(wine "$points" "$dpi")
    # Without a window manager Wine draws the frame itself, inside the X
    # window: the client area sits a frame's width in from the sides and
    # the bottom.
    local WIDTH HEIGHT client_width client_height
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
    read -r client_width client_height <<<"${at[client]}"
    x_left=$(((WIDTH - client_width) / 2))
    x_top=$((HEIGHT - client_height - x_left))
    ((x_left >= 0 && x_top >= 0)) || fail "a window of ${WIDTH}x$HEIGHT cannot hold the client area"
    x_shot_suffix=-${dpi}dpi
}

start 96
run_scenario

# At 192 dpi everything is twice the size, and still where a click finds it:
# these sections click every field and button.
start 192
run_scenario start not-a-number decimal-comma clear

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
