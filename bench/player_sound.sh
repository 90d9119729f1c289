#!/usr/bin/env bash
# Measures the real program's player from outside, under Xvfb, with a PulseAudio server of its own
# (the helpers of the end-to-end tests): the delay from the end of one track to the start of the
# next while a selection list plays (from a recording of the sink), and the CPU time that the
# program uses while it plays a 60 s track, against `mpg123 -q -o pulse` playing the same file.
#
#   bash bench/player_sound.sh          (after a build; takes about three minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh
enter_xvfb "$0" "$PWD/build/bin/zemlo"
bin=$(dirname "$ZEMLO")
work=$WORK
home="$work/home"; cd1="$work/cd"
mkdir -p "$home" "$cd1"
start_sound "$work/sound"

# tone NAME HZ SECONDS: an MP3 of a pure tone on the CD.
tone() {
  "$bin/tone_track" sine "$2" "$3" > "$work/tone.raw"
  lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian "$work/tone.raw" "$cd1/$1.mp3" 2> "$work/lame.log" ||
    fail "lame: $(cat "$work/lame.log")"
}
tone a 440 3; tone b 660 3; tone c 990 3; tone long 550 60
printf '[ZEMLO]\r\nCD=%s/\r\nList=Cat.lst\r\n' "$cd1" > "$home/ZEMLO.INI"
write_catalog "$home/Cat.lst" \
  "B1; 00:03; $(stat -c %s "$cd1/a.mp3"); Bench; Tones; A; a.mp3" \
  "B1; 00:03; $(stat -c %s "$cd1/b.mp3"); Bench; Tones; B; b.mp3" \
  "B1; 00:03; $(stat -c %s "$cd1/c.mp3"); Bench; Tones; C; c.mp3" \
  "B1; 01:00; $(stat -c %s "$cd1/long.mp3"); Bench; Tones; Long; long.mp3"
printf 'B1\ta.mp3\r\nB1\tb.mp3\r\nB1\tc.mp3\r\n' > "$work/three.m3c"
printf 'B1\tlong.mp3\r\n' > "$work/long.m3c"

# gaps REC: the silence between consecutive sounding stretches of a recording, in ms.
gaps() {
  "$bin/tone_track" segments "$1" |
    awk 'NR > 1 { printf "%s%d", sep, $1 - end; sep = ", " } { end = $2 } END { printf " ms (%d tones)\n", NR }'
}

# play_list LIST: starts the program, loads the selection list LIST and plays it with Alt+P.
play_list() {
  start_zemlo "$home"
  id=$(wait_window '^ZEMLO - CAT\.LST$')
  press "$id" F3
  type_name 'Select CD List FileName' "$1"
  wait_log "OpenFileName|Select CD List FileName"
  sleep 1
}
quit() { press "$id" alt+F4; wait_exit; }
ticks() { awk '{ print $14 + $15 }' "/proc/$ZEMLO_PID/stat"; }
hz=$(getconf CLK_TCK)
cpu() { printf '%.2f' "$(echo "$1 / $hz" | bc -l)"; }
# sounding REC: how long the recording sounds, in s.
sounding() { "$bin/tone_track" segments "$1" | awk '{ ms += $2 - $1 } END { printf "%.1f", ms / 1000 }'; }

echo "delay between tracks (end of one to start of the next), three tracks of 3 s:"
start_recording "$work/zemlo.raw"
play_list "$work/three.m3c"
press "$id" alt+p
sleep 14
stop_recording
quit
echo "  zemlo Alt+P                  $(gaps "$work/zemlo.raw")"
start_recording "$work/mpg123.raw"
mpg123 -q -o pulse "$cd1/a.mp3" "$cd1/b.mp3" "$cd1/c.mp3"
stop_recording
echo "  mpg123 of the three files    $(gaps "$work/mpg123.raw")"
start_recording "$work/mpg123s.raw"
for f in a b c; do mpg123 -q -o pulse "$cd1/$f.mp3"; done
stop_recording
echo "  mpg123 once per file         $(gaps "$work/mpg123s.raw")"

echo "CPU time (user + system) while a 60 s track plays:"
play_list "$work/long.m3c"
idle0=$(ticks); sleep 10; idle1=$(ticks)
start_recording "$work/long.raw"
press "$id" alt+p
t0=$(ticks); start=$(date +%s.%N)
sleep 62
t1=$(ticks); wall=$(echo "$(date +%s.%N) - $start" | bc)
stop_recording
quit
printf '  zemlo idle, 10 s                          %s s\n' "$(cpu $((idle1 - idle0)))"
printf '  zemlo from Alt+P, %.1f s (sounding %s s)  %s s (%.1f %% of one core)\n' "$wall" \
  "$(sounding "$work/long.raw")" "$(cpu $((t1 - t0)))" "$(echo "100 * $((t1 - t0)) / $hz / $wall" | bc -l)"
TIMEFORMAT='%U %S %R'
start_recording "$work/long.raw"
{ time mpg123 -q -o pulse "$cd1/long.mp3"; } 2> "$work/mpg123.time"
stop_recording
read -r user sys real < "$work/mpg123.time"
printf '  mpg123 -q -o pulse, %.1f s (sounding %s s) %.2f s (%.1f %% of one core)\n' "$real" \
  "$(sounding "$work/long.raw")" "$(echo "$user + $sys" | bc)" "$(echo "100 * ($user + $sys) / $real" | bc -l)"
