#!/usr/bin/env bash
# Kills the real program with SIGKILL at random moments during 30 F4 saves of a 200,000-track
# catalog (one track deleted first, so that the catalog is modified) and checks each time that
# the catalog file is the old or the whole new one. How the trials work: kill_lib.sh.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
enter_xvfb "$0" "$@"
source "$(dirname "$0")/kill_lib.sh"
SECONDS=0
generate_catalog 200000 > "$work/catalog.old"
cp "$work/catalog.old" "$cat_file"
trials catalog 30
echo "all passed in ${SECONDS}s"
