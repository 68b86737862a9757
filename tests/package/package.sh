#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian package from a finished build, twice (the same bytes),
# checks its metadata, unpacks it into a fresh directory and starts the
# unpacked program on a private X server until its window maps.
#
# usage: package.sh BUILD_DIRECTORY
set -euo pipefail
build=$(realpath "$1")
source "$(dirname "$0")/../xvfb.sh"
work=$WORK
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/out/ostrel_*.deb)
echo "package: $(basename "$deb")"
# Made again, in another folder and a second later, it is the same bytes.
sleep 1
(cd "$build" && cpack -G DEB -B "$work/again" >"$work/cpack-again.log" 2>&1) ||
    fail "cpack again: $(cat "$work/cpack-again.log")"
cmp "$deb" "$work/again/$(basename "$deb")" || fail "the package made again differs"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins qt6-translations-l10n; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland"
# Debian's own check of the package: errors and warnings fail.
lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' | tee "$work/lintian.log" || true
! grep -q '^[EW]:' "$work/lintian.log" || fail "lintian reports errors or warnings"

root=$work/root
dpkg -x "$deb" "$root"
icons=()
for size in 16 22 24 32 48 64 128 256; do
    icons+=("usr/share/icons/hicolor/${size}x$size/apps/example.ostrel.Ostrel.png")
done
for file in usr/bin/ostrel \
            usr/share/applications/example.ostrel.Ostrel.desktop \
            usr/share/metainfo/example.ostrel.Ostrel.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/example.ostrel.Ostrel.svg "${icons[@]}" \
            usr/share/man/man1/ostrel.1.gz usr/share/doc/ostrel/copyright; do
    [[ -f $root/$file ]] || fail "the package lacks $file"
done
desktop-file-validate "$root/usr/share/applications/example.ostrel.Ostrel.desktop" ||
    fail "desktop file"
# Pedantic: only the id's own notes (capitals, a reverse-DNS name under
# .example) may remain; any warning fails.
appstreamcli validate --pedantic --no-net --no-color \
    "$root/usr/share/metainfo/example.ostrel.Ostrel.metainfo.xml" | tee "$work/appstream.log" ||
    fail "AppStream metainfo"
! grep -q '^W:' "$work/appstream.log" || fail "AppStream warnings"

start_xvfb "$work" || fail "no X server"
"$root/usr/bin/ostrel" >"$work/app.log" 2>&1 &
PIDS+=($!)
timeout 20 xdotool search --sync --onlyvisible --name '^Ostrel v1\.3$' >/dev/null ||
    fail "the installed program showed no window: $(cat "$work/app.log")"
echo "the unpacked program's window mapped"
echo "1 passed, 0 failed"
