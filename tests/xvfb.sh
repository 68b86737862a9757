# SPDX-License-Identifier: MIT
# Sourced by the test scripts that start servers of their own (an X server
# here, or weston).
#
# Sets WORK to a fresh directory and PIDS to an empty list; on exit every
# process in PIDS is killed and WORK removed.
WORK=$(mktemp -d)
PIDS=()
cleanup_x_script() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup_x_script EXIT
#
# start_xvfb WORK_DIRECTORY [XVFB OPTIONS...]: starts Xvfb on a display it
# picks itself, exports DISPLAY and sets XVFB_PID. The caller kills it.
# XVFB_SCREEN sets the screen's size and depth (800x600x24 unless set).
start_xvfb() {
    local work=$1
    shift
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-800x600x24}" -dpi 96 -nolisten tcp "$@" \
        3>"$work/display" 2>"$work/xvfb.log" &
    XVFB_PID=$!
    PIDS+=("$XVFB_PID")
    for _ in $(seq 200); do
        [[ -s $work/display ]] && break
        sleep 0.05
    done
    if [[ ! -s $work/display ]]; then
        echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$work/display")"
}
