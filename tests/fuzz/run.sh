#!/usr/bin/env bash
# Runs every fuzz target of a build configured with -DZEMLO_FUZZ=ON: first over its corpus (a
# failure there is a regression), then fuzzing it for the given seconds on a scratch copy of the
# corpus, so that the tree is not changed. A crash, a sanitizer report, a failed check of a
# target, an input that takes over 5 s or a process over 2 GB fails the run; the input is kept
# in <build dir>/fuzz-artifacts.
# Usage: tests/fuzz/run.sh <build dir> [seconds per target, default 60]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run.sh <build dir> [seconds]}" && pwd)
seconds=${2:-60}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
options=(-timeout=5 -rss_limit_mb=2048 -print_final_stats=1)

# Seed MP3 files of a few kinds, encoded by lame from a square wave: 16-bit mono samples.
mp3_seeds() {
  local dir=$1 raw=$scratch/tone.raw
  # 200 periods of 20 samples high and 20 low: 0.5 s of 400 Hz at 16 kHz.
  for ((i = 0; i < 200; i++)); do
    printf '\x00\x30%.0s' {1..20}
    printf '\x00\xd0%.0s' {1..20}
  done > "$raw"
  local -A kinds=(
    [cbr-info]="-s 16 -b 32" [vbr-xing]="-s 16 -V 6" [cbr-no-header]="-s 16 -b 32 -t"
    [mpeg1-32khz]="-s 32 -b 64" [mpeg25-8khz]="-s 8 -b 16" [id3v2]="-s 16 -b 32 --add-id3v2 --tt Song --ta Artist"
  )
  for kind in "${!kinds[@]}"; do
    # lame warns on every raw input that its libsndfile might not honour -r; it does here.
    # shellcheck disable=SC2086 # the options are words
    lame -r -m m ${kinds[$kind]} --quiet "$raw" "$dir/$kind.mp3" 2> /dev/null
    [ -s "$dir/$kind.mp3" ] || { echo "lame could not encode $kind"; return 1; }
  done
}

files() { find "$1" -type f | wc -l; }

failed=()
report=()
for source in "$here"/*Fuzz.cpp; do
  name=$(basename "$source" .cpp)
  corpus=$scratch/corpus-$name
  mkdir -p "$corpus"
  if [ -d "$here/corpus/$name" ]; then cp "$here/corpus/$name"/* "$corpus"/; fi
  if [ "$name" = MpegDllFuzz ]; then mp3_seeds "$corpus"; fi
  log=$scratch/$name.log
  echo "--- $name: $(files "$corpus") corpus files, then $seconds s of fuzzing"
  if "$build/fuzz/$name" "${options[@]}" -runs=0 -artifact_prefix="$artifacts/$name-" "$corpus" > "$log" 2>&1 &&
    "$build/fuzz/$name" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$artifacts/$name-" "$corpus" > "$log" 2>&1; then
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    report+=("$(printf '%-22s %10s executions, %4s corpus files' "$name" "$executions" "$(files "$corpus")")")
  else
    tail -n 60 "$log"
    failed+=("$name")
    report+=("$(printf '%-22s FAILED' "$name")")
  fi
done
printf '%s\n' "${report[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]} (inputs in $artifacts)"
  exit 1
fi
