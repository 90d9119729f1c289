#!/usr/bin/env bash
# Checks a built Debian package of ZEMLO without installing it on the machine: unpacks it into a
# scratch root (dpkg-deb -x), checks that it holds exactly the program, its decoder library and
# its data files, validates the desktop entry, the metainfo and the catalog MIME type, then runs
# the desktop entry's Exec line under Xvfb on a generated catalog, as an installed copy does: its
# bin folder read-only, so that its home is $XDG_CONFIG_HOME/zemlo. Caption and a clean Alt+F4.
# Usage: tests/package/installed.sh zemlo_VERSION_ARCH.deb
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
deb=$(readlink -f "$1")
enter_xvfb "$0" "$deb"

root="$WORK/root"
dpkg-deb -x "$deb" "$root"

echo "contents"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
expected="./usr/bin/zemlo
./usr/lib/$multiarch/zemlo/libmpegdll.so
./usr/share/applications/io.github.zemlo.Zemlo.desktop
./usr/share/doc/zemlo/changelog.gz
./usr/share/doc/zemlo/copyright
./usr/share/icons/hicolor/scalable/apps/zemlo.svg
./usr/share/man/man1/zemlo.1.gz
./usr/share/metainfo/io.github.zemlo.Zemlo.metainfo.xml
./usr/share/mime/packages/zemlo-catalog.xml"
actual=$(cd "$root" && find . -type f -o -type l | sort)
[ "$actual" = "$expected" ] || fail "package contents differ: $(diff <(echo "$expected") <(echo "$actual"))"
readelf -d "$root/usr/bin/zemlo" | grep -qF "Library runpath: [\$ORIGIN/../lib/$multiarch/zemlo]" ||
  fail "no RUNPATH to the library folder: $(readelf -d "$root/usr/bin/zemlo" | grep PATH)"

echo "desktop entry, metainfo, MIME type"
desktop="$root/usr/share/applications/io.github.zemlo.Zemlo.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.zemlo.Zemlo.metainfo.xml" || fail "appstreamcli validate"
mkdir -p "$WORK/data/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/zemlo-catalog.xml" "$WORK/data/mime/packages/"
XDG_DATA_DIRS="$WORK/data" update-mime-database "$WORK/data/mime"
write_catalog "$WORK/My.lst" "CD1; 03:00; 1000; Artist; Album; Track; a.mp3"
printf 'some other list\n' > "$WORK/other.lst"
mime_of() { XDG_DATA_HOME="$WORK/data" XDG_DATA_DIRS="$WORK/data" gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
[ "$(mime_of "$WORK/My.lst")" = application/x-zemlo-catalog ] || fail "catalog is $(mime_of "$WORK/My.lst")"
[ "$(mime_of "$WORK/other.lst")" = text/plain ] || fail "other .lst is $(mime_of "$WORK/other.lst")"

echo "the Exec line of the desktop entry, the program installed read-only"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "zemlo %f" ] || fail "Exec line: $exec_line"
config="$WORK/config"
mkdir -p "$WORK/user"
# The home is made by the program; its ZEMLO.INI then names the CD path. The catalog is given
# by its bare name, so that the caption shows that the home was used for it.
mkdir -p "$config/zemlo"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\n' > "$config/zemlo/ZEMLO.INI"
cp "$WORK/My.lst" "$config/zemlo/Home.lst"
command=${exec_line//%f/Home.lst}
DIALOG_LOG="$WORK/dialogs.log"; PROGRAM_LOG="$WORK/program.log"; : > "$DIALOG_LOG"
# shellcheck disable=SC2086  # the Exec line is split as the desktop splits it: on blanks
env -u ZEMLO_HOME HOME="$WORK/user" XDG_CONFIG_HOME="$config" PATH="$root/usr/bin:$PATH" ZEMLO_DIALOG_LOG="$DIALOG_LOG" \
  unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"' sh "$root/usr/bin" \
  $command > "$PROGRAM_LOG" 2>&1 &
ZEMLO_PID=$!
id=$(wait_window '^ZEMLO - HOME\.LST$')
press "$id" alt+F4
wait_exit
[ ! -s "$DIALOG_LOG" ] || fail "unexpected dialogs: $(cat "$DIALOG_LOG")"
[ ! -e "$root/usr/bin/ZEMLO.INI" ] || fail "wrote into the program's folder"

echo "the home is created on first use"
rm -rf "$config/zemlo"
: > "$DIALOG_LOG"
env -u ZEMLO_HOME HOME="$WORK/user" XDG_CONFIG_HOME="$config" ZEMLO_DIALOG_LOG="$DIALOG_LOG" \
  unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"' sh "$root/usr/bin" \
  "$root/usr/bin/zemlo" "$WORK/My.lst" > "$PROGRAM_LOG" 2>&1 &
ZEMLO_PID=$!
wait_log "MessageBox:Error|ZEMLO.INI not found !"
box=$(wait_window '^Error$')
press "$box" Return
wait_window '^ZEMLO - ' > /dev/null
[ -d "$config/zemlo" ] || fail "home $config/zemlo not created"
id=$(wait_window '^ZEMLO - ')
press "$id" alt+F4
wait_exit
echo "installed package: passed"
