#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# On Wayland: starts a headless weston of its own, runs the window's
# in-process check there (10, 12, 15 gives 8), then starts the built
# calculator and checks, from the Wayland requests it sends, that it maps a
# toplevel with the design's title and fixed size and the desktop file's
# app_id; takes a screenshot with weston-screenshooter.
#
# usage: wayland.sh PROGRAM DESKTOP_TEST OUTPUT_DIRECTORY
set -euo pipefail
program=$(realpath "$1")
desktop_test=$(realpath "$2")
out=$(realpath -m "$3")
mkdir -p "$out"
# The work directory and the processes ended on exit (no X server here).
source "$(dirname "$0")/../xvfb.sh"
work=$WORK
fail() { echo "FAIL: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=ostrel-$$
# --debug lets weston-screenshooter take pictures.
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
    --width=640 --height=480 --idle-time=0 --debug >"$work/weston.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do
    [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break
    sleep 0.1
done
[[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || fail "weston did not start: $(cat "$work/weston.log")"
unset DISPLAY
export QT_QPA_PLATFORM=wayland
# In the sanitizer build: Qt 6.4's Wayland plugin leaves some of its Wayland
# objects allocated at exit (libwayland-client's, and the unloaded plugin's
# own). Leaks of the window's own code are checked by every other window
# test, on the offscreen platform and on X11.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0

# The calculator answers on Wayland. The headless weston has no seat, and
# Qt 6.4's Wayland text input then crashes on the first key it is handed
# (QWaylandInputDevice::textInput on no device); keys typed in process go
# through Qt's compose input method instead.
QT_IM_MODULE=compose "$desktop_test" answersOnWayland >"$work/in-process.log" 2>&1 ||
    fail "in process: $(cat "$work/in-process.log")"
grep -q '^PASS   : DesktopTest::answersOnWayland()' "$work/in-process.log" ||
    fail "the in-process check did not run on Wayland: $(cat "$work/in-process.log")"
echo "ok: 10, 12, 15 gives 8 on Wayland"

# The program as a user starts it.
WAYLAND_DEBUG=client "$program" >"$work/app.log" 2>&1 &
app=$!
PIDS+=("$app")
for _ in $(seq 100); do
    grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$work/app.log" && break
    sleep 0.1
done
requests=$(grep -- '-> xdg_toplevel' "$work/app.log" || true)
grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$work/app.log" ||
    fail "no window was drawn: $(tail -n 20 "$work/app.log")"
grep -q 'set_title("Ostrel v1.3")' <<<"$requests" || fail "title: $requests"
grep -q 'set_app_id("example.ostrel.Ostrel")' <<<"$requests" || fail "app_id: $requests"
min=$(grep -o 'set_min_size([0-9]*, [0-9]*)' <<<"$requests" | tail -n1 | grep -o '([^)]*)')
max=$(grep -o 'set_max_size([0-9]*, [0-9]*)' <<<"$requests" | tail -n1 | grep -o '([^)]*)')
[[ -n $min && $min == "$max" ]] || fail "the window's size is not fixed: min $min, max $max"
echo "ok: toplevel \"Ostrel v1.3\", app_id example.ostrel.Ostrel, fixed size $min"

sleep 1
(cd "$work" && weston-screenshooter) || fail "weston-screenshooter: see $work/weston.log"
mv "$work"/wayland-screenshot-*.png "$out/wayland.png"
# The window is on the screen: the legend's light yellow is there.
yellow=$(convert "$out/wayland.png" -fill black +opaque 'rgb(255,255,128)' -fill white \
    -opaque 'rgb(255,255,128)' -format '%[fx:int(mean*w*h)]' info:)
((yellow > 5000)) || fail "the screenshot shows no legend ($yellow yellow pixels)"
kill -0 "$app" 2>/dev/null || fail "the program ended: $(tail -n 20 "$work/app.log")"
echo "screenshot: $out/wayland.png"
echo "1 passed, 0 failed"
