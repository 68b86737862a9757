#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End to end: starts the built calculator as its own process on a private
# X server (Xvfb) and runs the scenario (scenario.txt) on it with real X
# input (xdotool), reading fields back through the clipboard (xclip) and
# saving screenshots.
#
# usage: e2e.sh PROGRAM LAYOUT_POINTS OUTPUT_DIRECTORY
set -euo pipefail
program=$(realpath "$1")
points=$2
out=$3
mkdir -p "$out"
source "$(dirname "$0")/../xvfb.sh"
source "$(dirname "$0")/x-driver.sh"
work=$WORK

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
load_points < <("$points")
run_scenario

kill -0 "$app" 2>/dev/null || fail "the program ended: $(cat "$work/app.log")"
echo "screenshots in $out"
echo "1 passed, 0 failed"
