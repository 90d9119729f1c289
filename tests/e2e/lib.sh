# Helpers for black-box runs of the real program under Xvfb. Sourced by the e2e scripts, which
# run inside xvfb-run.

# enter_xvfb SCRIPT ARGS...: runs the script again inside a fresh Xvfb unless it is in one; then
# sets ZEMLO (the program, argument 1) and WORK (a scratch directory removed at the end). With
# XVFB_SCREEN_FILE=1 set before, Xvfb also keeps its screen in the file SCREEN_FILE (an X window
# dump, which bin/screen_rect reads).
enter_xvfb() {
  local script=$1; shift
  if [ -z "${IN_XVFB:-}" ]; then
    # -noreset: by default Xvfb resets itself whenever its last client disconnects, and drops
    # every client that connects during the reset ("could not connect to display"): a test that
    # ends the program and starts it again at once, as the kill trials do, hits that now and then.
    local server="-screen 0 1280x1024x24 -noreset"
    if [ -n "${XVFB_SCREEN_FILE:-}" ]; then
      SCREEN_DIR=$(mktemp -d)
      server+=" -fbdir $SCREEN_DIR"
    fi
    # A display number of its own makes collisions with other X servers on the machine unlikely.
    exec env IN_XVFB=1 SCREEN_DIR="${SCREEN_DIR:-}" xvfb-run -a -n $((100 + $$ % 400)) -s "$server" \
      bash "$script" "$@"
  fi
  unset QT_QPA_PLATFORM
  ZEMLO=$(readlink -f "$1")
  WORK=$(mktemp -d)
  SCREEN_FILE=${SCREEN_DIR:+$SCREEN_DIR/Xvfb_screen0}
  trap 'stop_zemlo; stop_sound; rm -rf "$WORK" ${SCREEN_DIR:+"$SCREEN_DIR"}' EXIT
}

fail() {
  echo "FAIL: $*" >&2
  [ -n "${PROGRAM_LOG:-}" ] && [ -s "$PROGRAM_LOG" ] && { echo "program output (stdout and stderr):" >&2; cat "$PROGRAM_LOG" >&2; }
  exit 1
}

# reap: waits for the program, which has ended, and sets ZEMLO_RC to its exit status; safe under
# set -e. Only the shell that started the program can wait for it (not a $(...) subshell).
reap() {
  ZEMLO_RC=0
  wait "$ZEMLO_PID" || ZEMLO_RC=$?
  ZEMLO_PID=
}

# start_zemlo HOME [args...]: starts the program with ZEMLO_HOME=HOME in the background; sets
# ZEMLO_PID and DIALOG_LOG.
start_zemlo() {
  local home=$1; shift
  DIALOG_LOG="$home/dialogs.log"
  PROGRAM_LOG="$home/program.log"
  : > "$DIALOG_LOG"
  ZEMLO_HOME="$home" ZEMLO_DIALOG_LOG="$DIALOG_LOG" "$ZEMLO" "$@" > "$PROGRAM_LOG" 2>&1 &
  ZEMLO_PID=$!
}

# wait_window NAME_REGEX: prints the id of the first visible window whose name matches.
wait_window() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$ZEMLO_PID" 2>/dev/null || fail "program ended while waiting for window '$1'"
    sleep 0.1
  done
  fail "no window named '$1'"
}

# wait_log TEXT: waits until the dialog log holds a line with TEXT.
wait_log() {
  for _ in $(seq 1 100); do
    grep -qF -- "$1" "$DIALOG_LOG" && return 0
    sleep 0.1
  done
  fail "dialog '$1' not shown; log: $(cat "$DIALOG_LOG")"
}

# press WINDOW KEYS...: gives the window the keyboard focus and types the keys.
press() {
  local id=$1; shift
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 0.2
  xdotool key --clearmodifiers "$@"
}

# wait_exit: waits for the program to end and checks a clean exit status.
wait_exit() {
  for _ in $(seq 1 100); do
    if ! kill -0 "$ZEMLO_PID" 2>/dev/null; then
      reap
      [ "$ZEMLO_RC" -eq 0 ] || fail "program exited with status $ZEMLO_RC"
      return 0
    fi
    sleep 0.1
  done
  kill "$ZEMLO_PID"; fail "program did not end"
}

# stop_zemlo: ends a program still running; one that ended unawaited (a helper failed in a
# subshell) has its exit status reported.
stop_zemlo() {
  [ -n "${ZEMLO_PID:-}" ] || return 0
  if kill "$ZEMLO_PID" 2>/dev/null; then
    reap
  else
    reap
    echo "program had ended with exit status $ZEMLO_RC" >&2
  fi
}

# type_name DIALOG_TITLE PATH: the file dialog of that title takes a full path typed into its
# file-name field, then Return.
type_name() {
  local dialog
  dialog=$(wait_window "^$1\$")
  press "$dialog" ctrl+a
  xdotool type --delay 10 "$2"
  press "$dialog" Return
}

# expect_file FILE EXPECTED: waits until FILE is written with the content of the file EXPECTED.
expect_file() {
  for _ in $(seq 1 50); do [ -f "$1" ] && cmp -s "$1" "$2" && return 0; sleep 0.1; done
  [ -f "$1" ] || fail "$1 was not written"
  diff <(cat -A "$2") <(cat -A "$1") | head -20 >&2
  fail "$1 is not as expected"
}

# A catalog file with the given track lines.
write_catalog() {
  local file=$1; shift
  { printf 'CD#         Time   Size      Artist - CD Name - Song\r\n-----------\r\n'
    for l in "$@"; do printf '%s\r\n' "$l"; done; } > "$file"
}

# Sound: a PulseAudio server of the run's own with one null sink, zsink, whose monitor records
# what was played. The tests run as root, of which the server warns, and work all the same.

# start_sound DIR: starts the server with its socket under DIR and makes it the default output of
# every later command: exports XDG_RUNTIME_DIR, and HOME with an .asoundrc that routes ALSA's
# default device and mixer to it ("Master" is then the sink's volume). Sets SOUND_PID.
start_sound() {
  local dir=$1
  mkdir -p "$dir/runtime" "$dir/home"
  chmod 700 "$dir/runtime"
  export XDG_RUNTIME_DIR="$dir/runtime" HOME="$dir/home"
  printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' > "$HOME/.asoundrc"
  SOUND_LOG="$dir/pulseaudio.log"
  # Without DISPLAY the server does not launch a D-Bus daemon that would outlive the test.
  env -u DISPLAY pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-null-sink sink_name=zsink" -L module-native-protocol-unix > "$SOUND_LOG" 2>&1 &
  SOUND_PID=$!
  for _ in $(seq 1 100); do
    pactl info > /dev/null 2>&1 && return 0
    kill -0 "$SOUND_PID" 2>/dev/null || fail "pulseaudio ended: $(cat "$SOUND_LOG")"
    sleep 0.1
  done
  fail "pulseaudio does not answer: $(cat "$SOUND_LOG")"
}

# wait_growth FILE: waits until FILE is larger than it is now.
wait_growth() {
  local size
  size=$(stat -c %s "$1")
  for _ in $(seq 1 100); do
    [ "$(stat -c %s "$1")" -gt "$size" ] && return 0
    sleep 0.05
  done
  fail "$1 stays at $size bytes"
}

# start_recording FILE: records the sink into FILE (raw: signed 16-bit little-endian, stereo,
# 44.1 kHz) and returns once the recorder delivers. Sets RECORD_PID.
start_recording() {
  RECORDING=$1
  # Short blocks: with parec's default of about 2 s, the start of a stream that begins while a
  # block is under way is missing from the monitor.
  parec --latency-msec=50 -d zsink.monitor --raw --format=s16le --channels=2 --rate=44100 > "$RECORDING" &
  RECORD_PID=$!
  wait_growth "$RECORDING"
}

# stop_recording: waits for the recorder's next block, which holds what was played until now,
# then ends it.
stop_recording() {
  wait_growth "$RECORDING"
  kill "$RECORD_PID"
  wait "$RECORD_PID" 2>/dev/null || true
  RECORD_PID=
}

# stop_sound: ends the recorder and the server, whichever runs.
stop_sound() {
  local pid
  for pid in "${RECORD_PID:-}" "${SOUND_PID:-}"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  RECORD_PID= SOUND_PID=
}

# sink_volume: the sink's volume in percent (its first channel).
sink_volume() {
  pactl get-sink-volume zsink | grep -o '[0-9]*%' | head -n 1 | tr -d %
}
