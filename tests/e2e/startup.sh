#!/usr/bin/env bash
# Starts the real program under Xvfb and checks what a user sees: the caption for a catalog in
# the program's directory, elsewhere and none, a pipe or device as catalog, the missing-INI error,
# and a clean exit on Alt+F4.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
enter_xvfb "$0" "$@"
work=$WORK

home="$work/home"; mkdir -p "$home" "$work/elsewhere"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\nList=My.lst\r\n' > "$home/ZEMLO.INI"
write_catalog "$home/My.lst" "CD1; 03:00; 1000; Artist; Album; Track; a\\b.mp3"
write_catalog "$work/elsewhere/Other.lst" "CD2; 01:00; 10; X; Y; Z; c.mp3"

echo "catalog in the program's directory"
start_zemlo "$home"
id=$(wait_window '^ZEMLO - MY\.LST$')
press "$id" alt+F4
wait_exit
[ ! -s "$DIALOG_LOG" ] || fail "unexpected dialogs: $(cat "$DIALOG_LOG")"

echo "catalog elsewhere, named on the command line"
start_zemlo "$home" "$work/elsewhere/Other.lst"
upper=$(echo "$work/elsewhere/OTHER.LST" | tr 'a-z' 'A-Z')
id=$(wait_window "^ZEMLO - ${upper//./\\.}\$")
press "$id" alt+F4
wait_exit

echo "catalog named on the command line is a pipe or a device: no hang, opens as nothing"
mkfifo "$work/pipe.lst"
for special in "$work/pipe.lst" /dev/zero; do
  start_zemlo "$home" "$special"
  id=$(wait_window '^ZEMLO - ')
  press "$id" alt+F4
  wait_exit
  [ ! -s "$DIALOG_LOG" ] || fail "unexpected dialogs for $special: $(cat "$DIALOG_LOG")"
done

echo "no catalog named"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\n' > "$home/ZEMLO.INI"
start_zemlo "$home"
id=$(wait_window '^ZEMLO - ?$')
press "$id" alt+F4
wait_exit

echo "ZEMLO.INI missing"
rm "$home/ZEMLO.INI"
start_zemlo "$home"
wait_log "MessageBox:Error|ZEMLO.INI not found !"
box=$(wait_window '^Error$')
press "$box" Return
id=$(wait_window '^ZEMLO - ?$')
press "$id" alt+F4
wait_exit
echo "decoder library missing"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\nList=My.lst\r\n' > "$home/ZEMLO.INI"
mkdir -p "$work/bare"
cp "$ZEMLO" "$work/bare/zemlo"
ZEMLO="$work/bare/zemlo" start_zemlo "$home"
wait_log "MessageBox:Error|Can't load MPEG library"
box=$(wait_window '^Error$')
press "$box" Return
# The rest of the window's start-up steps are skipped: no configuration, no catalog.
id=$(wait_window '^ZEMLO - ?$')
grep -q "ZEMLO.INI" "$DIALOG_LOG" && fail "configuration was read: $(cat "$DIALOG_LOG")"
press "$id" alt+F4
wait_exit
echo "all passed"
