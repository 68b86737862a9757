#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up under Wine (not a test, and not Windows): on its own Xvfb and in a
# prefix of its own with a persistent Wine server, starts ostrel.exe and the
# bare Win32 window several times after a warm-up and reports the median time
# from exec to the window being mapped, and their ratio.
#
# usage: bench/startup-wine.sh [WINDOWS_BUILD] [LINUX_BUILD] [RUNS]
#        (default build/win64, build/release, 15; the Linux build gives map_timer)
set -euo pipefail
cd "$(dirname "$0")/.."
windows=${1:-build/win64}
linux=${2:-build/release}
runs=${3:-15}
warmup=3
timer=$linux/bench/map_timer
[[ -x $timer ]] || { echo "build $linux first (cmake --build $linux)" >&2; exit 1; }
[[ -f $windows/bench/bare_win32_window.exe ]] ||
    { echo "build $windows with -DOSTREL_BUILD_BENCHMARKS=ON first" >&2; exit 1; }
case $windows in *win32*) arch=win32 ;; *) arch=win64 ;; esac

source tests/xvfb.sh
work=$WORK
start_xvfb "$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
server=/usr/lib/wine/wineserver64
[[ -x $server ]] || server=/usr/lib/wine/wineserver
cmake/wine-run "$arch" "$WINEPREFIX" cmd /c exit 0 >/dev/null 2>&1
"$server" -w
"$server" -p   # one server for every run, as on a running Windows session
trap '"$server" -k 2>/dev/null || true; cleanup_x_script' EXIT
loader=/usr/lib/wine/wine64
[[ $arch == win32 ]] && loader=/usr/lib/wine/wine

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
measure() {
    local name=$1
    shift
    "$timer" "$warmup" "$loader" "$@" >/dev/null
    "$timer" "$runs" "$loader" "$@" | cut -d' ' -f1 | median >"$work/$name"
}
measure ostrel "$(realpath "$windows/app/ostrel.exe")"
measure bare "$(realpath "$windows/bench/bare_win32_window.exe")"
ostrel=$(cat "$work/ostrel")
bare=$(cat "$work/bare")
echo "medians of $runs runs after $warmup warm-up runs, under Wine ($arch), not Windows"
printf '%-20s %10s\n' program "map (ms)" ostrel.exe "$ostrel" bare_win32_window "$bare"
awk -v a="$ostrel" -v b="$bare" 'BEGIN { printf "ostrel.exe / bare Win32 window: time %.2fx\n", a / b }'
