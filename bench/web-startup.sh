#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The web window's figures on the web preset's build: its start on a phone
# against the same page with no script, each main-thread task's CPU time
# from a trace, the bytes of the first visit (bench/web-startup.js), and
# Lighthouse's scores, mobile and desktop (bench/web-lighthouse.js).
# Figures, not tests: a busy machine moves them.
#
# usage: bench/web-startup.sh [BUILD_DIR [PASSES [RUNS]]]
#        (default build/web, 15 passes on the phone, 3 Lighthouse runs of
#        each form factor, their reports kept in BUILD_DIR/bench-web/lighthouse;
#        PASSES 0 leaves the phone and the first visit out, RUNS 0 Lighthouse)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-build/web}")
passes=${2:-15}
runs=${3:-3}
site=$build/site
[[ -f $site/index.html ]] ||
    { echo "build the web preset first: cmake --workflow --preset web" >&2; exit 2; }

# The bench's own npm packages (Playwright's driver, Lighthouse), as
# package-lock.json pins them, in the build folder; no browser is downloaded.
modules=$build/bench-web
if [[ ! -f $modules/npm-ci.stamp || $here/package-lock.json -nt $modules/npm-ci.stamp ||
      $here/package.json -nt $modules/npm-ci.stamp ]]; then
    mkdir -p "$modules"
    cp "$here/package.json" "$here/package-lock.json" "$modules/"
    npm ci --no-audit --no-fund --loglevel=error --prefix "$modules"
    touch "$modules/npm-ci.stamp"
fi
export NODE_PATH=$modules/node_modules

echo "node $(node --version), $(${OSTREL_CHROMIUM:-/usr/bin/chromium} --version 2>/dev/null)," \
    "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
if (( passes > 0 )); then
    node "$here/web-startup.js" "$site" "$passes"
    echo
fi
if (( runs > 0 )); then
    node "$here/web-lighthouse.js" "$site" "$runs" "$modules/lighthouse"
    echo
fi
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
