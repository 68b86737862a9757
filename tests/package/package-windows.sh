#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Windows packages from a finished build and checks them: the zip
# holds LICENSE.txt and ostrel.exe alone, in name order, at most 1.5 MiB,
# importing system DLLs only; the installer (when makensis is there) is the
# same bytes when made again, installs silently under Wine, the installed
# program starts until its window shows, and the uninstaller removes it
# again.
#
# usage: package-windows.sh BUILD_DIRECTORY WINE_RUN ARCH OBJDUMP WINE_RUNS
#   WINE_RUNS  ON when this machine's Wine can run ARCH programs
set -euo pipefail
build=$(realpath "$1")
wine_run=$(realpath "$2")
arch=$3
objdump=$4
wine_runs=$5
source "$(dirname "$0")/../xvfb.sh"
work=$WORK
prefix=$work/prefix
export WINESERVER=/usr/lib/wine/wineserver64
[[ -x $WINESERVER ]] || WINESERVER=/usr/lib/wine/wineserver
fail() { echo "FAIL: $*" >&2; exit 1; }
finish_wine() { WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true; }
trap 'finish_wine; cleanup_x_script' EXIT
wine() { "$wine_run" "$arch" "$prefix" "$@"; }

generators=ZIP
command -v makensis >/dev/null && generators="ZIP;NSIS"
(cd "$build" && cpack -G "$generators" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"

zip=$work/out/ostrel-1.3-$arch.zip
[[ -f $zip ]] || fail "no $(basename "$zip")"
contents=$(cd "$work/out" && cmake -E tar tf "$zip" | tr '\n' ' ')
[[ $contents == "LICENSE.txt ostrel.exe " ]] || fail "the zip holds, in this order: $contents"
mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
exe=$work/unzipped/ostrel.exe
size=$(stat -c %s "$exe")
echo "$(basename "$zip"): ostrel.exe, $size bytes"
((size <= 1572864)) || fail "ostrel.exe is larger than 1.5 MiB"

# Only DLLs every Windows has: no compiler runtime to ship beside it.
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u)
echo "imports: $(echo $imports)"
[[ -n $imports ]] || fail "no import table found"
while read -r dll; do
    case ${dll,,} in
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | shell32.dll | msvcrt.dll | advapi32.dll) ;;
        *) fail "ostrel.exe imports $dll" ;;
    esac
done <<<"$imports"

if [[ $generators != *NSIS* ]]; then
    echo "makensis missing: the installer is not made"
    echo "1 passed, 0 failed"
    exit 0
fi

installer=$work/out/ostrel-1.3-$arch.exe
[[ -f $installer ]] || fail "no $(basename "$installer")"
echo "$(basename "$installer"): $(stat -c %s "$installer") bytes"
# Made again, in another folder and a second later, it is the same bytes.
sleep 1
(cd "$build" && cpack -G NSIS -B "$work/again" >"$work/cpack-again.log" 2>&1) ||
    fail "cpack again: $(cat "$work/cpack-again.log")"
cmp "$installer" "$work/again/$(basename "$installer")" || fail "the installer made again differs"
if [[ $wine_runs != ON ]]; then
    echo "Wine cannot run $arch programs here: the installer is made but not tried"
    echo "1 passed, 0 failed"
    exit 0
fi
XVFB_SCREEN=1024x768x24 start_xvfb "$work" || fail "no X server"

# The installer asks for elevation, which Wine grants to a program started
# by its Windows path, not by a Unix one.
wine cmd /c exit 0 >/dev/null 2>&1 || true
cp "$installer" "$prefix/drive_c/ostrel-setup.exe"
wine 'C:\ostrel-setup.exe' /S >"$work/install.log" 2>&1 ||
    fail "the installer failed: $(cat "$work/install.log")"
WINEPREFIX=$prefix "$WINESERVER" -w
installed=$(find "$prefix/drive_c" -path '*/Ostrel/ostrel.exe' | head -n1)
[[ -n $installed ]] || fail "nothing installed: $(cat "$work/install.log")"
cmp -s "$installed" "$exe" || fail "the installed program is not the built one"
find "$prefix/drive_c" -name 'Ostrel.lnk' | grep -q . || fail "no Start menu entry"
echo "installed: ${installed#"$prefix/"}"

wine "$installed" >"$work/app.log" 2>&1 &
PIDS+=("$!")
timeout 60 xdotool search --sync --onlyvisible --name '^Ostrel v1\.3$' >/dev/null ||
    fail "the installed program showed no window: $(cat "$work/app.log")"
echo "ok: the installed program's window shows"
finish_wine

wine "$(dirname "$installed")/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 ||
    fail "the uninstaller failed: $(cat "$work/uninstall.log")"
# The uninstaller copies itself away and goes on from there.
WINEPREFIX=$prefix "$WINESERVER" -w
for _ in $(seq 100); do
    [[ -e $installed ]] || break
    sleep 0.1
done
[[ ! -e $installed ]] || fail "the uninstaller left ostrel.exe"
! find "$prefix/drive_c" -name 'Ostrel.lnk' | grep -q . || fail "the uninstaller left the Start menu entry"
echo "ok: uninstalled"
echo "1 passed, 0 failed"
