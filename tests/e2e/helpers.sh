#!/usr/bin/env bash
# The helpers themselves, with a stand-in for the program: a bad exit is reported with its
# status and the program's stderr, also under set -e, where a failing wait would end the script
# before it could say why.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"

# run_case CODE: starts a program that writes to stderr and exits with CODE, waits for it with
# wait_exit in a script of its own under set -e, and prints that script's status and stderr.
run_case() {
  local fake="$work/fake.sh"
  printf '#!/bin/sh\necho "decoder missing" >&2\nexit %s\n' "$1" > "$fake"
  chmod +x "$fake"
  local rc=0
  bash -c 'set -euo pipefail; source "$1"; ZEMLO=$2; start_zemlo "$3"; wait_exit; echo "waited"' \
    _ "$(dirname "$0")/lib.sh" "$fake" "$work/home" > "$work/out" 2> "$work/err" || rc=$?
  echo "$rc"
}

rc=$(run_case 3)
[ "$rc" -eq 1 ] || { echo "FAIL: wait_exit ended with $rc for a program that exited with 3" >&2; exit 1; }
grep -qF "program exited with status 3" "$work/err" || { echo "FAIL: no exit status in: $(cat "$work/err")" >&2; exit 1; }
grep -qF "decoder missing" "$work/err" || { echo "FAIL: no program stderr in: $(cat "$work/err")" >&2; exit 1; }
! grep -qF waited "$work/out" || { echo "FAIL: the script went on after a bad exit" >&2; exit 1; }

rc=$(run_case 0)
[ "$rc" -eq 0 ] && grep -qF waited "$work/out" || { echo "FAIL: a clean exit was not accepted: $(cat "$work/err")" >&2; exit 1; }
echo "helpers ok"
