#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up and footprint benchmark (not a test). On its own Xvfb, starts each
# program many times and reports the time from exec to the window being
# mapped, and the resident memory (VmRSS and PSS) once shown: the calculator,
# a bare Qt 6 Widgets window of the same size (the toolkit's floor), a window
# with the same widgets showing the same texts (the floor for drawing text at
# all) and, where installed, xcalc; and what loading the Swedish translations
# costs.
#
# The programs take turns, one start each a round, so that a slow spell of
# the machine falls on all of them alike. The runs are grouped in passes; the
# figure that carries is the median over the passes of each pass's ratio (the
# calculator's median time over the floor's median time in that pass), given
# with the lowest and highest pass. A ratio of two medians taken over one
# long run moves with whatever else the machine does meanwhile.
#
# usage: bench/startup.sh [BUILD_DIRECTORY] [RUNS] [PASSES]
#        (default build/release, 5 runs a pass, 7 passes)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-5}
passes=${3:-7}
warmup=3
timer=$build/bench/map_timer
[[ -x $timer ]] || { echo "build $build first (cmake --build $build)" >&2; exit 1; }

source tests/xvfb.sh
work=$WORK
start_xvfb "$work"
export QT_QPA_PLATFORM=xcb

names=(ostrel text_qt_window bare_qt_window)
programs=("$build/app/ostrel" "$build/bench/text_qt_window" "$build/bench/bare_qt_window")
if command -v xcalc >/dev/null; then names+=(xcalc); programs+=(xcalc); fi

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((round = -warmup; round < runs * passes; round++)); do
    pass=$((round < 0 ? -1 : round / runs))
    for i in "${!names[@]}"; do
        line=$("$timer" 1 "${programs[i]}")
        ((round < 0)) || echo "$pass ${names[i]} $line" >>"$work/runs"
    done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "$passes passes of $runs runs after $warmup warm-up runs, the programs taking turns"
echo "load average (1, 5, 15 min) before: $load_before, after: $load_after"
# Lines of runs: "<pass> <program> <ms> <rss KiB> <pss KiB>".
awk -v passes="$passes" '
    function median(list, n,    i, j, t, a) {
        for (i = 1; i <= n; i++) a[i] = list[i]
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    # The pass-by-pass time ratios of program p to program q, their median,
    # lowest and highest.
    function ratios(p, q,    k, n, m, r, lo, hi, list, one, two, line) {
        line = ""
        for (k = 0; k < passes; k++) {
            n = 0; m = 0
            delete one; delete two
            for (r = 1; r <= count; r++) {
                if (pass[r] != k) continue
                if (prog[r] == p) one[++n] = ms[r]
                if (prog[r] == q) two[++m] = ms[r]
            }
            list[k + 1] = median(one, n) / median(two, m)
            line = line sprintf(" %.2f", list[k + 1])
            lo = k == 0 || list[k + 1] < lo ? list[k + 1] : lo
            hi = k == 0 || list[k + 1] > hi ? list[k + 1] : hi
        }
        low = lo; high = hi; each = line
        return median(list, passes)
    }
    function all(p, column,    r, n, list) {
        n = 0
        for (r = 1; r <= count; r++) if (prog[r] == p) list[++n] = column == 3 ? ms[r] : column == 4 ? rss[r] : pss[r]
        return median(list, n)
    }
    {
        count++; pass[count] = $1; prog[count] = $2; ms[count] = $3; rss[count] = $4; pss[count] = $5
        if (!($2 in seen)) { seen[$2] = 1; order[++names] = $2 }
    }
    END {
        printf "%-16s %10s %10s %10s   (medians of all runs)\n", "program", "map (ms)", "RSS (MiB)", "PSS (MiB)"
        for (i = 1; i <= names; i++)
            printf "%-16s %10.1f %10.1f %10.1f\n", order[i], all(order[i], 3), all(order[i], 4) / 1024, all(order[i], 5) / 1024
        split("text_qt_window bare_qt_window", floors, " ")
        split("text window|bare Qt window", titles, "|")
        for (f = 1; f <= 2; f++) {
            ratio = ratios("ostrel", floors[f])
            printf "ostrel / %s, pass by pass:%s\n", titles[f], each
            printf "ostrel / %s: time %.2fx (median of %d passes, %.2fx to %.2fx), RSS %+.1f MiB, PSS %+.1f MiB\n",
                titles[f], ratio, passes, low, high,
                (all("ostrel", 4) - all(floors[f], 4)) / 1024, (all("ostrel", 5) - all(floors[f], 5)) / 1024
        }
    }' "$work/runs"

# The translations, loaded in fresh processes.
for _ in $(seq "$((runs * passes))"); do "$build/bench/translations_time"; done 2>/dev/null |
    sort -n | awk '{t[NR] = $1; n = $2} END {
        printf "Swedish translations: %.2f ms to load (median of %d), %d of 2 files\n",
            t[int((NR + 1) / 2)] / 1000, NR, n }'
