#!/usr/bin/env bash
# Start-up and footprint benchmark (not a test). On its own Xvfb, starts each
# program several times after a warm-up and reports the median time from
# exec to the window being mapped, and the median resident memory (VmRSS and
# PSS) once shown: the calculator, a bare Qt 6 Widgets window of the same
# size (the toolkit's floor), a window with the same widgets showing the same
# texts (the floor for drawing text at all) and, where installed, xcalc; and
# what loading the Swedish translations costs.
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

names=(ostrel bare_qt_window text_qt_window)
programs=("$build/app/ostrel" "$build/bench/bare_qt_window" "$build/bench/text_qt_window")
if command -v xcalc >/dev/null; then names+=(xcalc); programs+=(xcalc); fi

# The programs take turns, one start each a round, so that a slow spell of
# the machine falls on all of them alike.
for ((round = -warmup; round < runs; round++)); do
    for i in "${!names[@]}"; do
        line=$("$timer" 1 "${programs[i]}")
        ((round < 0)) || echo "$line" >>"$work/${names[i]}"
    done
done

# median NAME COLUMN
median() { cut -d' ' -f"$2" "$work/$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for name in "${names[@]}"; do
    echo "$name $(median "$name" 1) $(median "$name" 2) $(median "$name" 3)"
done >"$work/results"

echo "medians of $runs runs after $warmup warm-up runs, the programs taking turns"
awk '
    NR == 1 { base_ms = 0 }
    { name[NR] = $1; ms[NR] = $2; rss[NR] = $3; pss[NR] = $4 }
    $1 == "bare_qt_window" { floor_ms = $2; floor_rss = $3; floor_pss = $4 }
    $1 == "text_qt_window" { text_ms = $2; text_rss = $3; text_pss = $4 }
    END {
        printf "%-16s %10s %10s %10s\n", "program", "map (ms)", "RSS (MiB)", "PSS (MiB)"
        for (i = 1; i <= NR; i++)
            printf "%-16s %10.1f %10.1f %10.1f\n", name[i], ms[i], rss[i] / 1024, pss[i] / 1024
        printf "ostrel / bare Qt window: time %.2fx, RSS %+.1f MiB, PSS %+.1f MiB\n",
            ms[1] / floor_ms, (rss[1] - floor_rss) / 1024, (pss[1] - floor_pss) / 1024
        printf "ostrel / text window:   time %.2fx, RSS %+.1f MiB, PSS %+.1f MiB\n",
            ms[1] / text_ms, (rss[1] - text_rss) / 1024, (pss[1] - text_pss) / 1024
    }' "$work/results"

# The translations, loaded in fresh processes.
for _ in $(seq "$runs"); do "$build/bench/translations_time"; done 2>/dev/null |
    sort -n | awk '{t[NR] = $1; n = $2} END {
        printf "Swedish translations: %.2f ms to load (median of %d), %d of 2 files\n",
            t[int((NR + 1) / 2)] / 1000, NR, n }'
