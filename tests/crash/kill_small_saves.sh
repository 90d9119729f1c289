#!/usr/bin/env bash
# Kills the real program with SIGKILL at random moments during 5 saves each of a selection list
# (F2), a playlist and ZEMLO.INI (Setup), and checks each time that the file is the old or the
# whole new one. How the trials work: kill_lib.sh.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
enter_xvfb "$0" "$@"
source "$(dirname "$0")/kill_lib.sh"
SECONDS=0
cp "$work/small.lst" "$cat_file"
for kind in list playlist setup; do
  trials $kind 5
done
echo "all passed in ${SECONDS}s"
