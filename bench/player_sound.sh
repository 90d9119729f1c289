#!/usr/bin/env bash
# Measures the real program's player from outside, under Xvfb, with a PulseAudio server of its own
# (the helpers of the end-to-end tests): the delay from the end of one track to the start of the
# next while a selection list plays (from a recording of the sink), and the CPU time that the
# program uses while it plays a 60 s track, against `mpg123 -q -o pulse` playing the same file.
#
#   bash bench/player_sound.sh          (after a build; takes about four minutes)
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
# Five short tracks, each a pitch apart from its neighbours so that gapless ones stay apart too.
short=(440 550 660 770 880)
lines=()
for hz in "${short[@]}"; do
  tone "t$hz" "$hz" 2
  lines+=("B1; 00:02; $(stat -c %s "$cd1/t$hz.mp3"); Bench; Tones; T$hz; t$hz.mp3")
  printf 'B1\tt%s.mp3\r\n' "$hz" >> "$work/short.m3c"
done
tone long 550 60
printf 'B1\tlong.mp3\r\n' > "$work/long.m3c"
printf '[ZEMLO]\r\nCD=%s/\r\nList=Cat.lst\r\n' "$cd1" > "$home/ZEMLO.INI"
write_catalog "$home/Cat.lst" "${lines[@]}" "B1; 01:00; $(stat -c %s "$cd1/long.mp3"); Bench; Tones; Long; long.mp3"

# gaps REC: the silence between consecutive sounding stretches of a recording, in ms (to 20 ms:
# a window that holds the end of one tone and the start of the next counts as a gap).
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
ticks_per_s=$(getconf CLK_TCK)
cpu() { printf '%.2f' "$(echo "$1 / $ticks_per_s" | bc -l)"; }
# sounding REC: how long the recording sounds, in s.
sounding() { "$bin/tone_track" segments "$1" | awk '{ ms += $2 - $1 } END { printf "%.1f", ms / 1000 }'; }

files=("${short[@]/#/$cd1/t}"); files=("${files[@]/%/.mp3}")
echo "delay between tracks (end of one to start of the next), ${#short[@]} tracks of 2 s:"
start_recording "$work/zemlo.raw"
play_list "$work/short.m3c"
press "$id" alt+p
sleep 20
stop_recording
quit
printf '  %-30s %s\n' "zemlo, Alt+P" "$(gaps "$work/zemlo.raw")"
start_recording "$work/mpg123.raw"
mpg123 -q -o pulse "${files[@]}"
stop_recording
printf '  %-30s %s\n' "mpg123 of all files at once" "$(gaps "$work/mpg123.raw")"
start_recording "$work/mpg123s.raw"
for f in "${files[@]}"; do mpg123 -q -o pulse "$f"; done
stop_recording
printf '  %-30s %s\n' "mpg123 once per file" "$(gaps "$work/mpg123s.raw")"

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
printf '  %-46s %s s\n' "zemlo idle, 10 s" "$(cpu $((idle1 - idle0)))"
printf '  %-46s %s s (%.1f %% of one core)\n' \
  "$(printf 'zemlo from Alt+P, %.1f s (sounding %s s)' "$wall" "$(sounding "$work/long.raw")")" \
  "$(cpu $((t1 - t0)))" "$(echo "100 * $((t1 - t0)) / $ticks_per_s / $wall" | bc -l)"
TIMEFORMAT='%U %S %R'
start_recording "$work/long.raw"
{ time mpg123 -q -o pulse "$cd1/long.mp3"; } 2> "$work/mpg123.time"
stop_recording
read -r user sys real < "$work/mpg123.time"
printf '  %-46s %.2f s (%.1f %% of one core)\n' \
  "$(printf 'mpg123 -q -o pulse, %.1f s (sounding %s s)' "$real" "$(sounding "$work/long.raw")")" \
  "$(echo "$user + $sys" | bc)" "$(echo "100 * ($user + $sys) / $real" | bc -l)"
