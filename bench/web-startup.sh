#!/usr/bin/env bash
# The web window's start against the same page with no script, and the size
# of the first visit (bench/web-startup.js), on the web preset's build.
#
# usage: bench/web-startup.sh [BUILD_DIR [PASSES]]   (default build/web, 15)
set -euo pipefail
build=$(realpath "${1:-build/web}")
export NODE_PATH=$build/tests/web/node_modules
export OSTREL_WEB_SITE=$build/site
[[ -d $NODE_PATH && -f $OSTREL_WEB_SITE/index.html ]] ||
    { echo "build the web preset first: cmake --workflow --preset web" >&2; exit 2; }
exec node "$(dirname "$0")/web-startup.js" "${2:-15}"
