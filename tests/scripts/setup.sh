#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The set-up (scripts/install-deps) and scripts/test on a machine that is
# not quite right: a mirror mid-sync, an architecture it cannot serve, a
# package it lacks, a busy package system, no root and no sudo, a stage
# misspelt. apt-get, dpkg, dpkg-query, sudo, sleep and cmake are stand-ins
# that log their calls and keep a package state of their own; nothing here
# touches the machine's packages or builds anything.
#
# usage: setup.sh
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The real tools the scripts need besides the stand-ins, and nothing else:
# no real sudo, apt-get or cmake can be reached.
mkdir -p "$work/tools"
for tool in bash cat dirname grep mktemp nproc rm sort tail tee tr; do
    ln -s "$(command -v "$tool")" "$work/tools/$tool"
done

# The stand-ins. STATE holds installed (one package a line), arches, the
# number of updates still to fail, unavailable (packages apt cannot find)
# and locks (dpkg calls still to find the lock taken).
mkdir -p "$work/stand-ins"
stand_in() {  # stand_in NAME BODY
    printf '#!/bin/bash\necho "%s $*" >>"$STATE/calls"\n%s\n' "$1" "$2" >"$work/stand-ins/$1"
    chmod +x "$work/stand-ins/$1"
}
stand_in apt-get '
case " $* " in
    *" update "*)
        failures=$(cat "$STATE/update-failures")
        if ((failures > 0)); then
            echo $((failures - 1)) >"$STATE/update-failures"
            echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size" >&2
            exit 100
        fi ;;
    *" install "*)
        packages=()
        for arg; do [[ $arg == -* || $arg == install || $arg == *=* ]] || packages+=("$arg"); done
        for p in "${packages[@]}"; do
            if grep -qx -- "$p" "$STATE/unavailable"; then
                echo "E: Unable to locate package $p" >&2
                exit 100
            fi
        done
        printf "%s\n" "${packages[@]}" >>"$STATE/installed" ;;
esac'
stand_in dpkg-query '
grep -qx -- "${!#}" "$STATE/installed" || exit 1
echo "install ok installed"'
stand_in dpkg '
locks=$(cat "$STATE/locks")
if [[ $1 != --print-foreign-architectures ]] && ((locks > 0)); then
    echo $((locks - 1)) >"$STATE/locks"
    echo "dpkg: error: dpkg frontend lock was locked by another process with pid 4242" >&2
    exit 2
fi
case $1 in
    --print-foreign-architectures) cat "$STATE/arches" ;;
    --add-architecture) echo "$2" >>"$STATE/arches" ;;
    --remove-architecture) grep -vx -- "$2" "$STATE/arches" >"$STATE/arches.new" || true
                           cat "$STATE/arches.new" >"$STATE/arches" ;;
esac'
stand_in sudo 'exec "$@"'
stand_in sleep ':'
# A stage's workflow: its tests pass, and the win32 stage says, as CMake
# does, that Wine cannot run its programs where wine32 is not installed.
stand_in cmake '
[[ $1 == --workflow ]] || exit 2
if [[ $3 == win32 ]] && ! grep -qx wine32:i386 "$STATE/installed"; then
    echo "CMake Warning: Wine cannot run win32 programs on this machine"
fi
echo "100% tests passed, 0 tests failed out of 3"'

failures=0
fail() { echo "FAIL: $case_name: $*" >&2; failures=$((failures + 1)); }

# run_case NAME ARCHES UPDATE_FAILURES LOCKS UNAVAILABLE PRIVILEGE COMMAND...
# runs COMMAND in the repository with the stand-ins on a fresh state; the
# machine has every package already but those of scripts/install-deps's
# test list that UNAVAILABLE and the state leave out (here: none installed).
# PRIVILEGE is sudo (a user who may sudo) or none (neither root nor sudo).
run_case() {
    case_name=$1
    export STATE=$work/state-$1
    mkdir -p "$STATE"
    : >"$STATE/installed"
    : >"$STATE/calls"
    printf '%s' "$2" | tr ' ' '\n' | grep . >"$STATE/arches" || true
    echo "$3" >"$STATE/update-failures"
    echo "$4" >"$STATE/locks"
    printf '%s' "$5" | tr ' ' '\n' >"$STATE/unavailable"
    local privilege=$6
    shift 6
    local bin=$work/bin-$case_name
    mkdir -p "$bin"
    cp -a "$work/stand-ins/." "$bin/"
    local as=() from=$repo
    if [[ $privilege == none ]]; then
        rm "$bin/sudo"
        if ((EUID == 0)); then
            # Root runs it as an ordinary user (nobody's ids; a user namespace
            # is not to be had in a chroot or container), from a copy of the
            # scripts: the checkout may be in a folder only root may enter.
            from=$work/as-user
            mkdir -p "$from"
            cp -r "$repo/scripts" "$from/"
            chmod -R a+rX "$work"
            chown -R 65534:65534 "$STATE"
            as=("$(command -v setpriv)" --reuid=65534 --regid=65534 --clear-groups)
        fi
    fi
    rc=0
    (cd "$from" && env -i HOME="$work" PATH="$bin:$work/tools" STATE="$STATE" \
        "${as[@]}" "$@") >"$STATE/out" 2>&1 || rc=$?
    out=$(cat "$STATE/out")
    calls=$(cat "$STATE/calls")
}
expect_rc() { ((rc == $1)) || fail "exit status $rc, expected $1; it printed: $out"; }
expect_out() { [[ $out == *"$1"* ]] || fail "did not print '$1'; it printed: $out"; }
expect_call() { [[ $calls == *"$1"* ]] || fail "did not call '$1'; it called: $calls"; }
expect_no_call() { [[ $calls != *"$1"* ]] || fail "called '$1'; it called: $calls"; }
count_calls() { grep -c -- "$1" <<<"$calls" || true; }

# A mirror whose i386 index stays broken and whose i386 packages cannot be
# had, on a machine without i386 whose package system is busy at first:
# everything else is installed, the win32 stage is built and packaged, and
# the architectures are as they were.
run_case broken-mirror "" 9 1 "wine32:i386" sudo scripts/test release win32
expect_rc 0
[[ $(count_calls 'apt-get .* update') == 3 ]] || fail "updated other than three times: $calls"
expect_call 'apt-get -q -o DPkg::Lock::Timeout=600 install -y --no-install-recommends build-essential'
expect_call 'apt-get -q -o DPkg::Lock::Timeout=600 install -y --no-install-recommends wine32:i386'
grep 'install .*build-essential' <<<"$calls" | grep -q 'wine32' &&
    fail "wine32:i386 was installed with the rest: $calls"
expect_call 'dpkg --add-architecture i386'
expect_call 'dpkg --remove-architecture i386'
expect_out "waiting for the package system's lock"
expect_out "could not install wine32:i386; without it, the win32 stage's tests under Wine will not run"
[[ ! -s $STATE/arches ]] || fail "left the architectures: $(cat "$STATE/arches")"
expect_call 'cmake --workflow --preset release'
expect_call 'cmake --workflow --preset win32'
expect_out "note: win32: built and packaged; its tests under Wine did not run (Wine's 32-bit half, wine32:i386, could not be installed)"
[[ $out == *$'\ntotal: 6 passed, 0 failed' ]] || fail "closing line: $out"

# An update that fails once: tried again, then everything is installed, the
# machine's i386 architecture kept.
run_case update-once i386 1 0 "" sudo scripts/test release
expect_rc 0
[[ $(count_calls 'apt-get .* update') == 2 ]] || fail "updated other than twice: $calls"
expect_no_call 'dpkg --add-architecture'
expect_no_call 'dpkg --remove-architecture'
expect_out 'total: 3 passed, 0 failed'

# A package a stage needs cannot be had: the set-up fails, named as a stage
# above the closing line, and no stage runs.
run_case needed-missing "" 0 0 "cmake" sudo scripts/test release
expect_rc 1
expect_out 'could not install'
expect_out 'cmake'
expect_no_call 'cmake --workflow'
expect_call 'dpkg --remove-architecture i386'
[[ $out == *$'failed stage: set-up: scripts/install-deps test failed (exit status 1); no stage ran\ntotal: 0 passed, 1 failed' ]] ||
    fail "closing lines: $out"

# A misspelt stage is refused before anything is installed.
run_case unknown-stage "" 0 0 "" sudo scripts/test release no-such-stage
expect_rc 2
expect_out "no stage is called 'no-such-stage'; the stages are: release sanitize i386 win32 win64 web fuzz lint"
[[ -z $calls ]] || fail "called before refusing: $calls"

# Neither root nor sudo: what is missing and what to do, nothing installed.
run_case no-sudo "" 0 0 "" none scripts/install-deps run
expect_rc 1
expect_out 'needs root or sudo'
expect_out 'Missing: build-essential cmake ninja-build'
expect_out 'apt-get install --no-install-recommends build-essential'
expect_no_call 'apt-get'
expect_no_call 'dpkg --add'

if ((failures > 0)); then
    echo "$failures of the set-up's checks failed"
    exit 1
fi
echo "the set-up's five cases pass"
