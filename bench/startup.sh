#!/usr/bin/env bash
# Start-up and footprint benchmark (not a test). On its own Xvfb, starts each
# program several times after a warm-up and reports the median time from
# exec to the window being mapped, and the median resident memory (VmRSS and
# PSS) once shown: the calculator, a bare Qt 6 Widgets window of the same
# size (the toolkit's floor) and, where installed, xcalc.
#
# usage: bench/startup.sh [BUILD_DIRECTORY] [RUNS]   (default build/release, 15)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-15}
warmup=3
timer=$build/bench/map_timer
[[ -x $timer ]] || { echo "build $build first (cmake --build $build)" >&2; exit 1; }

source tests/xvfb.sh
work=$WORK
start_xvfb "$work"
export QT_QPA_PLATFORM=xcb

# measure NAME PROGRAM...: prints "NAME median_ms median_rss_kib median_pss_kib"
measure() {
    local name=$1
    shift
    "$timer" "$warmup" "$@" >/dev/null
    "$timer" "$runs" "$@" >"$work/$name"
    local ms rss pss
    ms=$(cut -d' ' -f1 "$work/$name" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    rss=$(cut -d' ' -f2 "$work/$name" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    pss=$(cut -d' ' -f3 "$work/$name" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    echo "$name $ms $rss $pss"
}

{
    measure ostrel "$build/app/ostrel"
    measure bare_qt_window "$build/bench/bare_qt_window"
    if command -v xcalc >/dev/null; then measure xcalc xcalc; fi
} >"$work/results"

echo "medians of $runs runs after $warmup warm-up runs"
awk '
    NR == 1 { base_ms = 0 }
    { name[NR] = $1; ms[NR] = $2; rss[NR] = $3; pss[NR] = $4 }
    $1 == "bare_qt_window" { floor_ms = $2; floor_rss = $3; floor_pss = $4 }
    END {
        printf "%-16s %10s %10s %10s\n", "program", "map (ms)", "RSS (MiB)", "PSS (MiB)"
        for (i = 1; i <= NR; i++)
            printf "%-16s %10.1f %10.1f %10.1f\n", name[i], ms[i], rss[i] / 1024, pss[i] / 1024
        printf "ostrel / bare Qt window: time %.2fx, RSS %+.1f MiB, PSS %+.1f MiB\n",
            ms[1] / floor_ms, (rss[1] - floor_rss) / 1024, (pss[1] - floor_pss) / 1024
    }' "$work/results"
