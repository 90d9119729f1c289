#!/usr/bin/env bash
# Runs the real program under Xvfb and imports a generated tree of MP3 files by keyboard alone:
# F12, the CD ID and source path, then one Import Tracks dialog per directory (a typed format,
# forced names, the question about blank names), saves with F4 and checks every catalog line.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK
home="$work/home"; src="$work/disc one"
mkdir -p "$home" "$src/Pop/Rock" "$src/.trash"
printf '[ZEMLO]\r\nCD=%s/\r\nList=Cat.lst\r\n' "$src" > "$home/ZEMLO.INI"
write_catalog "$home/Cat.lst" "CD1; 01:00; 100; Zeta; Blue; One; z\\1.mp3"

# mp3 FILE SECONDS: silence of that length, mono 16-bit at 22.05 kHz.
# (lame warns that libsndfile may seek in raw input; stdin cannot, and it is not needed.)
mp3() { head -c $((22050 * 2 * $2)) /dev/zero | lame --quiet -r -s 22.05 -m m --bitwidth 16 - "$1" 2>/dev/null; }
mp3 "$src/Alpha-One-First.mp3" 2
mp3 "$src/Beta-Two-Second.mp3" 3
mp3 "$src/Pop/Third.mp3" 4
mp3 "$src/Pop/Rock/Fourth.mp3" 5
mp3 "$src/.trash/Hidden.mp3" 1
echo "not music" > "$src/notes.txt"

start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')

echo "F12: CD ID, Tab, source path, Return starts"
press "$id" F12
info=$(wait_window '^Import new Tracks$')
wait_log "ImportInfo|"
xdotool type --delay 10 "CD7"
press "$info" Tab ctrl+a
xdotool type --delay 10 "  $src  "
press "$info" Return

echo "the root: a typed format, Trans. All, Add"
dialog=$(wait_window '^Import from ?$')
press "$dialog" ctrl+a
xdotool type --delay 10 "Artist-Album-Track"
press "$dialog" Tab Tab Tab Tab space Tab Tab Tab space

echo "Pop\\: forced Artist and Album"
dialog=$(wait_window '^Import from Pop\\$')
press "$dialog" ctrl+a
xdotool type --delay 10 "Track"
press "$dialog" Tab Tab
xdotool type --delay 10 "Gamma"
press "$dialog" Tab
xdotool type --delay 10 "Three"
press "$dialog" Tab space Tab Tab Tab space

echo "Pop\\Rock\\: blank Artist and Album, the question answered with Y"
dialog=$(wait_window '^Import from Pop\\Rock\\$')
press "$dialog" Tab Tab ctrl+a BackSpace Tab ctrl+a BackSpace Tab space Tab Tab Tab space
wait_log "MessageBox:Confirmation|Not all Artist"
press "$(wait_window '^Confirmation$')" y
wait_log "MessageBox:Information|Import Done."
press "$(wait_window '^Information$')" Return
grep -q "Hidden" "$DIALOG_LOG" && fail "the hidden directory was offered"

echo "F4 saves every imported track with its measured size and play time"
press "$id" F4
size() { stat -c %s "$src/$1"; }
line() { printf '%-10s; %-5s; %08d; ' "$1" "$2" "$3"; printf '%s' "$4; $5; $6; "; printf '%*s' $((85 - ${#4} - ${#5} - ${#6} - 6)) ''; printf '%s\r\n' "$7"; }
{ printf 'CD#         Time   Size      Artist - CD Name - Song%62sFull path Name on CD\r\n' ''
  printf -- '----------- -----  --------  %s  %s\r\n' "$(printf -- '-%.0s' $(seq 83))" "$(printf -- '-%.0s' $(seq 95))"
  line CD7 00:05 "$(size Pop/Rock/Fourth.mp3)" ' ' ' ' Fourth 'Pop\Rock\Fourth.mp3'
  line CD7 00:02 "$(size Alpha-One-First.mp3)" Alpha One First 'Alpha-One-First.mp3'
  line CD7 00:03 "$(size Beta-Two-Second.mp3)" Beta Two Second 'Beta-Two-Second.mp3'
  line CD7 00:04 "$(size Pop/Third.mp3)" Gamma Three Third 'Pop\Third.mp3'
  line CD1 01:00 100 Zeta Blue One 'z\1.mp3'
} > "$work/expected.lst"
for _ in $(seq 1 50); do cmp -s "$home/Cat.lst" "$work/expected.lst" && break; sleep 0.1; done
cmp -s "$home/Cat.lst" "$work/expected.lst" || { diff <(cat -A "$work/expected.lst") <(cat -A "$home/Cat.lst") >&2; fail "catalog not as expected"; }

press "$id" alt+F4
wait_exit
echo "all passed"
