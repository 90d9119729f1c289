#!/usr/bin/env bash
# Plays a selection list of three generated tones in the real program under Xvfb into a PulseAudio
# server of the test's own, records the sink and checks what came out: the tones in list order,
# each whole, short gaps, nothing after the last; the player bar reset after the last track and no
# message box meanwhile; start-up leaves the sink's volume as it was and the volume slider sets
# it by keyboard; Alt+E hands the list to the external player as a playlist.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
XVFB_SCREEN_FILE=1
enter_xvfb "$0" "$@"
bin=$(dirname "$ZEMLO")
work=$WORK
home="$work/home"; cd1="$work/cd"; play="$work/play"
mkdir -p "$home" "$cd1/Tones" "$play"
start_sound "$work/sound"

# The tones, 2 s each; the list plays them in an order of its own.
tones=(990 440 660)
for hz in 440 660 990; do
  "$bin/tone_track" sine "$hz" 2 > "$work/$hz.raw"
  lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian "$work/$hz.raw" "$cd1/Tones/t$hz.mp3" \
    2> "$work/lame.log" || fail "lame: $(cat "$work/lame.log")"
done
size() { stat -c %s "$cd1/Tones/t$1.mp3"; }
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s/player.args"\n' "$work" > "$work/player"
chmod +x "$work/player"
printf '[ZEMLO]\r\nCD=%s/\r\nPlayPath=%s/\r\nPlayer=%s\r\nList=Cat.lst\r\n' "$cd1" "$play" "$work/player" \
  > "$home/ZEMLO.INI"
write_catalog "$home/Cat.lst" \
  "ZT1; 00:02; $(size 440); Tones; Pure; A 440; Tones\\t440.mp3" \
  "ZT1; 00:02; $(size 660); Tones; Pure; B 660; Tones\\t660.mp3" \
  "ZT1; 00:02; $(size 990); Tones; Pure; C 990; Tones\\t990.mp3"
for hz in "${tones[@]}"; do printf 'ZT1\tTones\\t%s.mp3\r\n' "$hz"; done > "$work/tones.m3c"

echo "start-up leaves the sink's volume as it was"
pactl set-sink-volume zsink 37%
start_zemlo "$home"
id=$(wait_window '^ZEMLO - CAT\.LST$')
press "$id" F3
type_name 'Select CD List FileName' "$work/tones.m3c"
wait_log "OpenFileName|Select CD List FileName"
[ "$(sink_volume)" -eq 37 ] || fail "the sink's volume is $(sink_volume) % after start-up, not 37 %"

# The window is laid out in pixels of 144 DPI, shown at Xvfb's 96 DPI: two thirds.
px() { echo $(( ($1 * 2 + 1) / 3 )); }
eval "$(xdotool getwindowgeometry --shell "$id")"
bar_top=$((Y + HEIGHT - $(px 32) - ($(px 35) - $(px 25))))
# player_bar: a checksum of the player bar's pixels (the window's bottom strip).
player_bar() { "$bin/screen_rect" "$SCREEN_FILE" "$X" "$bar_top" "$WIDTH" "$((Y + HEIGHT - bar_top))"; }

echo "Alt+P plays the list: the tones in list order, then the player bar is reset"
idle_bar=$(player_bar)
dialogs=$(wc -l < "$DIALOG_LOG")
start_recording "$work/rec.raw"
press "$id" alt+p
for _ in $(seq 1 50); do [ "$(player_bar)" != "$idle_bar" ] && break; sleep 0.1; done
[ "$(player_bar)" != "$idle_bar" ] || fail "the player bar does not change while the list plays"
for _ in $(seq 1 200); do [ "$(player_bar)" = "$idle_bar" ] && break; sleep 0.1; done
[ "$(player_bar)" = "$idle_bar" ] || fail "the player bar was not reset after the last track"
sleep 2
stop_recording
[ "$(player_bar)" = "$idle_bar" ] || fail "the player bar changed again after its reset"
[ "$(wc -l < "$DIALOG_LOG")" -eq "$dialogs" ] || fail "a dialog while the list played: $(tail -n +$((dialogs + 1)) "$DIALOG_LOG")"

"$bin/tone_track" segments "$work/rec.raw" > "$work/segments"
recorded_ms=$(( $(stat -c %s "$work/rec.raw") / 4 * 1000 / 44100 ))
echo "recorded ${recorded_ms} ms; sounding stretches (start ms, end ms, Hz):"
sed 's/^/  /' "$work/segments"
[ "$(wc -l < "$work/segments")" -eq 3 ] || fail "not three tones in the recording"
previous_end=
k=0
while read -r start end hz; do
  expected=${tones[$k]}
  [ $((hz * 100)) -ge $((expected * 97)) ] && [ $((hz * 100)) -le $((expected * 103)) ] ||
    fail "tone $((k + 1)) is $hz Hz, not $expected Hz"
  [ $((end - start)) -ge 1850 ] && [ $((end - start)) -le 2150 ] ||
    fail "tone $((k + 1)) lasts $((end - start)) ms, not about 2000 ms"
  if [ -n "$previous_end" ]; then
    echo "gap before tone $((k + 1)): $((start - previous_end)) ms"
    [ $((start - previous_end)) -le 1500 ] || fail "the gap before tone $((k + 1)) is over 1.5 s"
  fi
  previous_end=$end
  k=$((k + 1))
done < "$work/segments"
# Silence after the last tone counts only when the recording went on long enough to hold sound.
[ $((recorded_ms - previous_end)) -ge 1500 ] || fail "only $((recorded_ms - previous_end)) ms recorded after the last tone"

echo "the volume slider, clicked once, follows the keys in steps of 20"
expect_volume() {
  for _ in $(seq 1 20); do [ "$(sink_volume)" -eq "$1" ] && return 0; sleep 0.1; done
  fail "the sink's volume is $(sink_volume) %, not $1 %, $2"
}
# Clicked on the ruler left of its thumb: one step down, from 37 to the second multiple of 20
# below.
xdotool mousemove "$((X + $(px 6) + $(px 456) + 2))" "$((bar_top + 2))" click 1
expect_volume 0 "after the click on the ruler left of the thumb"
for step in Right:20 Right:40 End:100 Left:80 Left:60 Home:0 Right:20; do
  press "$id" "${step%%:*}"
  expect_volume "${step##*:}" "after ${step%%:*}"
done

echo "Alt+E writes the list as a playlist of the first CD path and hands it to the player"
press "$id" alt+e
for hz in "${tones[@]}"; do printf '%s\r\n' "$cd1/Tones/t$hz.mp3"; done > "$work/playlist.expected"
expect_file "$play/playlist.m3u" "$work/playlist.expected"
printf '%s\n' "$play/playlist.m3u" > "$work/args.expected"
expect_file "$work/player.args" "$work/args.expected"
[ "$(wc -l < "$DIALOG_LOG")" -eq "$dialogs" ] || fail "unexpected dialogs: $(tail -n +$((dialogs + 1)) "$DIALOG_LOG")"

press "$id" alt+F4
wait_exit
echo "all passed"
