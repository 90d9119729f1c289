#!/usr/bin/env bash
# Runs the real program under Xvfb with its files on a full disk and checks for every file it
# writes (the catalog with F4, the selection list with F2, a playlist, ZEMLO.INI from Setup and
# the batch file of Copy to Disk) that the old file stays as it was, that the user is told, that
# no temporary file is left, and that the catalog and the list stay marked modified: closing asks
# about saving, and a Yes whose save fails does not close the program.
#
# The disk is a small tmpfs mounted by the test, filled up by a file of zeros: the writes fail
# with the kernel's own "No space left on device", in the very calls and at the very places a
# user's full disk would fail them. (A file size limit (prlimit --fsize) would not do: the
# program would be killed by SIGXFSZ, not see a failed write.) Mounting needs root; where it is
# not allowed the test is skipped (exit status 77).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK
disk="$work/disk"; mkdir -p "$disk"
if ! mount -t tmpfs -o size=16m zemlo-diskfull "$disk" 2>"$work/mount.err"; then
  echo "SKIP: cannot mount a tmpfs here ($(cat "$work/mount.err")); the disk-full test needs root" >&2
  exit 77
fi
trap 'stop_zemlo; umount "$disk" || umount -l "$disk"; rm -rf "$WORK"' EXIT

home="$disk/home"; out="$disk/out"; cd="$work/cd"; orig="$work/orig"
mkdir -p "$home" "$out" "$cd/Pop" "$orig"
# The logs stay off the full disk.
ln -s "$work/dialogs.log" "$home/dialogs.log"
ln -s "$work/program.log" "$home/program.log"
printf '[ZEMLO]\r\nCD=%s/\r\nList=Cat.lst\r\n' "$cd" > "$home/ZEMLO.INI"
# "AAA" sorts first: deleting the first row takes a track out of the catalog and the list.
{ printf 'CD#         Time   Size      Artist - CD Name - Song\r\n-----------\r\n'
  printf 'CD1; 01:00; 100000; AAA; One; First; Pop\\a.mp3\r\nCD1; 02:00; 100000; Beta; Two; Second; Pop\\b.mp3\r\n'
  awk 'BEGIN { for (i = 1; i <= 20000; i++) printf "CD%d; 03:00; 300; Artist %05d; Album; Song %d; t%06d.mp3\r\n", 2 + i % 30, i, i, i }'
} > "$home/Cat.lst"
head -c 100000 /dev/urandom > "$cd/Pop/a.mp3"
head -c 100000 /dev/urandom > "$cd/Pop/b.mp3"
printf 'CD1\tPop\\a.mp3\r\nCD1\tPop\\b.mp3\r\n' > "$disk/sel.m3c"
printf 'an old playlist\r\n' > "$disk/play.m3u"
printf 'call conv "old.mp3" song01.wav\r\n' > "$out/conv.bat"
written=("$home/Cat.lst" "$disk/sel.m3c" "$disk/play.m3u" "$home/ZEMLO.INI" "$out/conv.bat")
for f in "${written[@]}"; do cp "$f" "$orig/$(basename "$f")"; done

# told TEXT: the message is shown; OK closes it.
told() {
  wait_log "$1"
  press "$(wait_window '^(Error|Information)$')" Return
  sleep 0.3
}

intact() {
  for f in "${written[@]}"; do cmp -s "$f" "$orig/$(basename "$f")" || fail "$f changed on the full disk"; done
  local left
  left=$(find "$disk" -name '*.zemlo-save-*' -o -name '*.part*')
  [ -z "$left" ] || fail "temporary files left: $left"
}

start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')
press "$id" F3
type_name 'Select CD List FileName' "$disk/sel.m3c"
press "$id" Tab Down Up ctrl+Home
press "$id" Delete
wait_log "Delete the selected Song from the Database ?"
press "$(wait_window '^Confirmation$')" y
sleep 0.5

cat /dev/zero > "$disk/filler" 2>/dev/null || true
[ "$(df --output=avail -B1 "$disk" | tail -n 1)" -eq 0 ] || fail "the disk is not full: $(df -h "$disk")"
: > "$DIALOG_LOG"

echo "F4: the catalog"
press "$id" F4
told "MessageBox:Error|Error saving DataBase to $home/Cat.lst !"
intact

echo "F2: the selection list"
press "$id" F2
type_name 'Select CD List FileName' "$disk/sel.m3c"
wait_log "sel.m3c already exists. Do you want to replace it ?"
press "$(wait_window '^Confirmation$')" y
told "MessageBox:Information|Error saving list to $disk/sel.m3c !"
intact

echo "a playlist"
press "$id" alt+d Right Up Up Return
type_name 'Select Play list FileName' "$disk/play.m3u"
wait_log "play.m3u already exists. Do you want to replace it ?"
press "$(wait_window '^Confirmation$')" y
told "MessageBox:Information|Error creating playlist $disk/play.m3u !"
intact

echo "Setup: ZEMLO.INI"
press "$id" alt+s
press "$(wait_window '^Setup for ZEMLO$')" Return
told "MessageBox:Error|Error writing $home/ZEMLO.INI !"
intact

echo "Copy to Disk: the batch file (and the copies)"
press "$id" alt+c
type_name 'Select path \& convert batch' "$out/conv.bat"
wait_log "conv.bat already exists. Do you want to replace it ?"
press "$(wait_window '^Confirmation$')" y
told "MessageBox:Error|Error writing conversion batch $out/conv.bat !"
told "MessageBox:Error|Error copying files to $out/"
intact
[ "$(ls -A "$out")" = conv.bat ] || fail "stray files in $out: $(ls -A "$out")"

echo "F4 with room for a part of the catalog: the write fails on the way"
rm "$disk/filler"
head -c $(( $(df --output=avail -B1 "$disk" | tail -n 1) - 1000000 )) /dev/zero > "$disk/filler"
: > "$DIALOG_LOG"
press "$id" F4
told "MessageBox:Error|Error saving DataBase to $home/Cat.lst !"
intact

echo "closing asks about the catalog; Yes fails to save and the program stays"
: > "$DIALOG_LOG"
press "$id" alt+F4
wait_log "MessageDlgFocus|$home/Cat.lst has been modified. Save ?"
press "$(wait_window '^Confirmation$')" Return
told "MessageBox:Error|Error saving DataBase to $home/Cat.lst !"
kill -0 "$ZEMLO_PID" || fail "the program closed although the catalog was not saved"
intact

echo "closing again: No for the catalog, then the list is asked about"
: > "$DIALOG_LOG"
press "$id" alt+F4
wait_log "has been modified. Save ?"
press "$(wait_window '^Confirmation$')" Tab Return
wait_log "MessageBox:Confirmation|Save selection list ?"
press "$(wait_window '^Confirmation$')" n
wait_exit
intact
echo "all passed"
