#!/usr/bin/env bash
# Runs the real program under Xvfb on a catalog: sorts it, saves with F4 and checks the file's
# order; deletes a track and answers the save question on closing with Cancel, No and Yes; opens
# a catalog by a name typed without its extension.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK
home="$work/home"; mkdir -p "$home"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\nList=Cat.lst\r\n' > "$home/ZEMLO.INI"
cat_file="$home/Cat.lst"
write_catalog "$cat_file" \
  "CD2; 01:00; 100; Zeta; Blue; One; z\\1.mp3" \
  "CD1; 02:00; 200; alpha; Red; Two; a\\2.mp3" \
  "CD3; 03:00; 300; Émile; Green; Three; e\\3.mp3" \
  "CD1; 04:00; 400; Beta; Black; Four; b\\4.mp3"

# line CDID TIME SIZE ARTIST ALBUM TRACK FILE: one catalog line as the program writes it.
line() { printf '%-10s; %-5s; %08d; ' "$1" "$2" "$3"; printf '%s' "$4; $5; $6; "; printf '%*s' $((85 - ${#4} - ${#5} - ${#6} - 6)) ''; printf '%s\r\n' "$7"; }
title() {
  printf 'CD#         Time   Size      Artist - CD Name - Song%62sFull path Name on CD\r\n' ''
  printf -- '----------- -----  --------  %s  %s\r\n' "$(printf -- '-%.0s' $(seq 83))" "$(printf -- '-%.0s' $(seq 95))"
}
expected="$work/expected.lst"
{ title
  line CD1 02:00 200 alpha Red Two 'a\2.mp3'
  line CD1 04:00 400 Beta Black Four 'b\4.mp3'
  line CD3 03:00 300 Émile Green Three 'e\3.mp3'
  line CD2 01:00 100 Zeta Blue One 'z\1.mp3'
} > "$expected"

wait_file_equals() {
  for _ in $(seq 1 50); do cmp -s "$1" "$2" && return 0; sleep 0.1; done
  diff <(cat -A "$1") <(cat -A "$2") | head -20 >&2
  fail "$1 is not as expected"
}

echo "sort by CD, then save with F4: the file is in artist order"
start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')
press "$id" ctrl+F3
press "$id" F4
wait_file_equals "$cat_file" "$expected"
saved=$(cat "$cat_file" | md5sum)

echo "delete a track, close and cancel the save question"
# Focus the catalog list and select its first row ("alpha" after the sort by artist at load).
press "$id" Tab Down Up ctrl+Home
press "$id" Delete
wait_log "MessageBox:Confirmation|Delete the selected Song from the Database ?"
press "$(wait_window '^Confirmation$')" y
sleep 0.5
press "$id" alt+F4
wait_log "MessageDlgFocus|$cat_file has been modified. Save ?"
press "$(wait_window '^Confirmation$')" Escape
sleep 1
kill -0 "$ZEMLO_PID" || fail "the program ended after Cancel"
[ "$(md5sum < "$cat_file")" = "$saved" ] || fail "Cancel wrote the catalog"

echo "close again and answer No: nothing is written"
: > "$DIALOG_LOG"
press "$id" alt+F4
wait_log "has been modified. Save ?"
press "$(wait_window '^Confirmation$')" Tab Return
wait_exit
[ "$(md5sum < "$cat_file")" = "$saved" ] || fail "No wrote the catalog"

echo "delete again, close and answer Yes: the catalog is written without the track"
start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')
press "$id" Tab Down Up ctrl+Home
press "$id" Delete
wait_log "Delete the selected Song from the Database ?"
press "$(wait_window '^Confirmation$')" y
sleep 0.5
press "$id" alt+F4
wait_log "has been modified. Save ?"
press "$(wait_window '^Confirmation$')" Return
wait_exit
grep -v 'alpha' "$expected" > "$work/expected2.lst"
wait_file_equals "$cat_file" "$work/expected2.lst"

echo "Open (F5) with a name typed without its extension opens the .lst file"
write_catalog "$home/Other.lst" "CD9; 01:00; 10; X; Y; Z; c.mp3"
start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')
press "$id" F5
dialog=$(wait_window '^Select MP3 DataBase$')
press "$dialog" ctrl+a
xdotool type --delay 20 "$home/Other"
press "$dialog" Return
id=$(wait_window '^ZEMLO - OTHER\.LST$')
grep -q "Can't open" "$DIALOG_LOG" && fail "unexpected error: $(cat "$DIALOG_LOG")"
press "$id" alt+F4
wait_exit
echo "all passed"
