#!/usr/bin/env bash
# Runs the real program under Xvfb on a catalog whose files lie under two CD paths: loads a
# selection list with F3, copies it to disk with Alt+C, saves the list with F2, writes both
# playlist forms from the menu, changes the CD paths in Setup, and checks every file written.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK
home="$work/home"; cd1="$work/cd one"; cd2="$work/cd2"; out="$work/out"
mkdir -p "$home" "$cd1/Pop" "$cd2/rock" "$out"
printf '[ZEMLO]\r\n; the CD drives\r\nCD=%s/\r\nCD2=%s/\r\nList=Cat.lst\r\n[Other]\r\nKey=kept\r\n' "$cd1" "$cd2" \
  > "$home/ZEMLO.INI"
write_catalog "$home/Cat.lst" \
  "CD1; 01:00; 100; Alpha; One; First; Pop\\a.mp3" \
  "CD2; 02:00; 200; Beta; Two; Second; Rock\\B.mp3" \
  "CD2; 03:00; 300; Gamma; Three; Third; Rock\\c.mp3"
head -c 3000 /dev/urandom > "$cd1/Pop/a.mp3"
head -c 5000 /dev/urandom > "$cd2/rock/B.mp3"   # stored as Rock\B.mp3: found by a case-blind match
head -c 7000 /dev/urandom > "$cd2/rock/c.mp3"
# A list in file order c, (a key no track has), a; read with LF line ends.
printf 'CD2\tRock\\c.mp3\nCD9\tnone.mp3\ncd1\tPOP\\A.MP3\n' > "$work/in.m3c"

start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')

echo "F3 loads the selection list"
press "$id" F3
type_name 'Select CD List FileName' "$work/in.m3c"
wait_log "OpenFileName|Select CD List FileName"

echo "Alt+C copies the files in CD order and writes the batch file; one message box"
: > "$DIALOG_LOG"
press "$id" alt+c
type_name 'Select path \& convert batch' "$out/conv.bat"
wait_log "MessageBox:Information|Files copied to $out/"
[ "$(grep -c '^MessageBox' "$DIALOG_LOG")" -eq 1 ] || fail "more than one box: $(cat "$DIALOG_LOG")"
press "$(wait_window '^Information$')" Return
cmp "$cd1/Pop/a.mp3" "$out/a.mp3" && cmp "$cd2/rock/c.mp3" "$out/c.mp3" || fail "copies differ"
printf 'call conv "c.mp3" song01.wav\r\ncall conv "a.mp3" song02.wav\r\n' > "$work/conv.expected"
expect_file "$out/conv.bat" "$work/conv.expected"
[ -z "$(ls -A "$out" | grep -v -e '^a\.mp3$' -e '^c\.mp3$' -e '^conv\.bat$')" ] || fail "stray files: $(ls -A "$out")"

echo "F2 saves the list as CD keys, as stored"
press "$id" F2
type_name 'Select CD List FileName' "$work/saved.m3c"
printf 'CD2\tRock\\c.mp3\r\nCD1\tPop\\a.mp3\r\n' > "$work/saved.expected"
expect_file "$work/saved.m3c" "$work/saved.expected"
echo "F2 again under the same name asks before replacing the file"
: > "$work/saved.m3c"
press "$id" F2
type_name 'Select CD List FileName' "$work/saved.m3c"
wait_log "MessageBox:Confirmation|saved.m3c already exists. Do you want to replace it ?"
press "$(wait_window '^Confirmation$')" y
expect_file "$work/saved.m3c" "$work/saved.expected"

echo "both playlist forms from the Selections menu"
press "$id" alt+d Right Up Up Return
type_name 'Select Play list FileName' "$work/cd.m3u"
printf '%s\r\n' "$cd1/Rock/c.mp3" "$cd1/Pop/a.mp3" > "$work/cd.expected"
expect_file "$work/cd.m3u" "$work/cd.expected"
press "$id" alt+d Right Up Return
type_name 'Select Play list FileName' "$out/hd.m3u"
printf '%s\r\n' "$out/c.mp3" "$out/a.mp3" > "$work/hd.expected"
expect_file "$out/hd.m3u" "$work/hd.expected"

echo "Setup: the first CD path removed, a third added; the INI keeps its other lines"
mkdir -p "$work/cd3"
press "$id" alt+s
setup=$(wait_window '^Setup for ZEMLO$')
press "$setup" Tab Tab Home Tab Tab Tab space
wait_log "MessageBox:Confirmation|Remove $cd1/ from the Path List ?"
press "$(wait_window '^Confirmation$')" y
sleep 0.3
press "$setup" Tab space
dir=$(wait_window '^Select Path$')
press "$dir" ctrl+a
xdotool type --delay 10 "$work/cd3"
press "$dir" Return
sleep 0.3
press "$dir" Return
sleep 0.3
press "$setup" Return
printf '[ZEMLO]\r\n; the CD drives\r\nCD=%s/\r\nCD2=%s/\r\nList=Cat.lst\r\nCopyPath=\r\nPlayPath=\r\nPlayer=\r\n[Other]\r\nKey=kept\r\n' \
  "$cd2" "$work/cd3" > "$work/ini.expected"
expect_file "$home/ZEMLO.INI" "$work/ini.expected"

echo "the new first CD path is in force for the playlist at once"
press "$id" alt+d Right Up Up Return
type_name 'Select Play list FileName' "$work/cd2.m3u"
printf '%s\r\n' "$cd2/Rock/c.mp3" "$cd2/Pop/a.mp3" > "$work/cd2.expected"
expect_file "$work/cd2.m3u" "$work/cd2.expected"

echo "closing asks nothing after the list was saved"
: > "$DIALOG_LOG"
press "$id" alt+F4
wait_exit
[ ! -s "$DIALOG_LOG" ] || fail "closing asked: $(cat "$DIALOG_LOG")"
echo "all passed"
