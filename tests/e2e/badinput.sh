#!/usr/bin/env bash
# Opens files that are no catalogs in the real program under Xvfb: random bytes, one line of
# 10 MB, 100,000 malformed lines, a directory and (when not run as root) a file without read
# permission. Each must open in bounded time and memory, ask for at most ten single-line boxes
# plus one box with the count of the rest, and leave every file as it was.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK
home="$work/home"; files="$work/files"
mkdir -p "$home" "$files/a directory.lst"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\n' > "$home/ZEMLO.INI"

head -c 50M /dev/urandom > "$files/random.lst"
write_catalog "$files/oneline.lst" "$(head -c 10M /dev/zero | tr '\0' 'x')"
{ printf 'CD#         Time   Size      Artist - CD Name - Song\r\n-----------\r\n'
  seq 1 100000 | sed 's/^/not a catalog line /; s/$/\r/'; } > "$files/malformed.lst"
before=$(cd "$files" && find . -type f -exec md5sum {} + | sort; ls -la)

# answer_boxes: presses Return on each information box until the main window stands; prints
# how many there were.
answer_boxes() {
  local boxes=0 box main
  for _ in $(seq 1 1200); do
    box=$(xdotool search --onlyvisible --name '^Information$' 2>/dev/null | head -n 1 || true)
    if [ -n "$box" ]; then
      press "$box" Return
      boxes=$((boxes + 1))
      for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '^Information$' 2>/dev/null | grep -qx "$box" || break
        sleep 0.05
      done
      continue
    fi
    main=$(xdotool search --onlyvisible --name '^ZEMLO - ' 2>/dev/null | head -n 1 || true)
    [ -n "$main" ] && { echo "$boxes"; return 0; }
    kill -0 "$ZEMLO_PID" 2>/dev/null || fail "the program ended"
    sleep 0.05
  done
  fail "no main window after $boxes boxes"
}

# open_file FILE BOXES LAST: opens FILE, expects BOXES information boxes, the last one with the
# text LAST (when given), and checks time and memory.
open_file() {
  local file=$1 expected=$2 last=${3:-} start boxes peak
  echo "opening $(basename "$file")"
  start=$SECONDS
  start_zemlo "$home" "$file"
  boxes=$(answer_boxes)
  peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$ZEMLO_PID/status")
  echo "  $boxes boxes, $((SECONDS - start)) s, peak memory $((peak / 1024)) MB"
  [ $((SECONDS - start)) -le 60 ] || fail "opening took $((SECONDS - start)) s"
  [ "$peak" -le $((600 * 1024)) ] || fail "peak memory $((peak / 1024)) MB"
  [ "$(grep -c '^MessageBox:Information|' "$DIALOG_LOG")" -eq "$boxes" ] || fail "boxes shown and logged differ"
  case $expected in
    "<=11") [ "$boxes" -le 11 ] || fail "$boxes boxes" ;;
    *) [ "$boxes" -eq "$expected" ] || fail "$boxes boxes, not $expected" ;;
  esac
  [ -z "$last" ] || [ "$(tail -n 1 "$DIALOG_LOG")" = "MessageBox:Information|$last" ] ||
    fail "last box: $(tail -n 1 "$DIALOG_LOG")"
  press "$(wait_window '^ZEMLO - ')" alt+F4
  wait_exit
}

open_file "$files/random.lst" "<=11"
open_file "$files/oneline.lst" 1
open_file "$files/malformed.lst" 11 "99990 more malformed lines were loaded without a message of their own."
grep -qx "MessageBox:Information|not a catalog line 10" "$DIALOG_LOG" || fail "line 10 was not shown"
open_file "$files/a directory.lst" 0
if [ "$(id -u)" -ne 0 ]; then
  cp "$files/malformed.lst" "$work/unreadable.lst"
  chmod 000 "$work/unreadable.lst"
  open_file "$work/unreadable.lst" 0
else
  echo "a file without read permission: skipped, root reads every file"
fi

after=$(cd "$files" && find . -type f -exec md5sum {} + | sort; ls -la)
[ "$before" = "$after" ] || fail "files changed: $(diff <(echo "$before") <(echo "$after"))"
echo "all passed"
