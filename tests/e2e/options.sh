#!/usr/bin/env bash
# The command-line options, answered without a display: --help and --version print and exit 0,
# any other option exits 2 with one line of usage on stderr and nothing on stdout.
set -euo pipefail
zemlo=$(readlink -f "$1")
out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# run ARGS...: runs the program with no display of any kind; sets rc.
run() {
  rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$zemlo" "$@" > "$out" 2> "$err" || rc=$?
}
fail() { echo "FAIL: $*" >&2; echo "stdout:" >&2; cat "$out" >&2; echo "stderr:" >&2; cat "$err" >&2; exit 1; }

run --help
[ "$rc" -eq 0 ] || fail "--help: status $rc"
grep -q '^usage: zemlo ' "$out" || fail "--help: no usage line"
grep -q -- '--version' "$out" || fail "--help: --version not described"
[ ! -s "$err" ] || fail "--help: wrote to stderr"

run --version
[ "$rc" -eq 0 ] || fail "--version: status $rc"
grep -qE '^zemlo [0-9]+\.[0-9]+' "$out" || fail "--version: no version"

for option in -h --bogus - "--x --help"; do
  # shellcheck disable=SC2086
  run $option
  [ "$rc" -eq 2 ] || fail "$option: status $rc, not 2"
  [ "$(wc -l < "$err")" -eq 1 ] || fail "$option: usage is not one line"
  grep -q "unknown option ${option%% *}; usage: zemlo" "$err" || fail "$option: message"
  [ ! -s "$out" ] || fail "$option: wrote to stdout"
done
echo "options: passed"
