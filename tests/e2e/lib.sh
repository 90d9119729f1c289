# Helpers for black-box runs of the real program under Xvfb. Sourced by the e2e scripts, which
# run inside xvfb-run.

# enter_xvfb SCRIPT ARGS...: runs the script again inside a fresh Xvfb unless it is in one; then
# sets ZEMLO (the program, argument 1) and WORK (a scratch directory removed at the end).
enter_xvfb() {
  local script=$1; shift
  if [ -z "${IN_XVFB:-}" ]; then
    # A display number of its own makes collisions with other X servers on the machine unlikely.
    exec env IN_XVFB=1 xvfb-run -a -n $((100 + $$ % 400)) -s "-screen 0 1280x1024x24" bash "$script" "$@"
  fi
  unset QT_QPA_PLATFORM
  ZEMLO=$(readlink -f "$1")
  WORK=$(mktemp -d)
  trap 'stop_zemlo; rm -rf "$WORK"' EXIT
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

# A catalog file with the given track lines.
write_catalog() {
  local file=$1; shift
  { printf 'CD#         Time   Size      Artist - CD Name - Song\r\n-----------\r\n'
    for l in "$@"; do printf '%s\r\n' "$l"; done; } > "$file"
}
