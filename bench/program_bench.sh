#!/usr/bin/env bash
# Measures the real program from outside on a large catalog: the time from starting it until its
# window stands (the catalog loaded and sorted by artist), plus one save with F4, and its peak
# memory; side by side with `sort -f` of the same file in the same run.
#
#   bench/program_bench.sh N      (generates a catalog of N tracks with build/bin/catalog_bench)
set -euo pipefail
cd "$(dirname "$0")/.."
N=${1:-1000000}
if [ -z "${IN_XVFB:-}" ]; then
  # -noreset, as in tests/e2e/lib.sh: the polling xdotool clients would reset the server while
  # the program connects.
  exec env IN_XVFB=1 xvfb-run -a -n $((100 + $$ % 400)) -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

catalog="$work/bench$N.lst"
build/bin/catalog_bench --generate "$N" "$catalog" > /dev/null
size=$(stat -c %s "$catalog")
now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }

cat "$catalog" > /dev/null  # same page cache state for every contender
t0=$(now); LC_ALL=C.UTF-8 sort -f "$catalog" > /dev/null; t1=$(now)
sort_time=$(elapsed "$t0" "$t1")
t0=$(now); LC_ALL=C sort -f "$catalog" > /dev/null; t1=$(now)
csort_time=$(elapsed "$t0" "$t1")

home="$work/home"; mkdir -p "$home"
printf '[ZEMLO]\r\nCD=/media/cdrom\r\nList=%s\r\n' "$catalog" > "$home/ZEMLO.INI"
inode=$(stat -c %i "$catalog")
t0=$(now)
ZEMLO_HOME="$home" build/bin/zemlo > "$work/zemlo.log" 2>&1 &
pid=$!
id=""
until [ -n "$id" ]; do
  id=$(xdotool search --onlyvisible --name '^ZEMLO - ' 2>/dev/null | head -n 1 || true)
  kill -0 "$pid" || { cat "$work/zemlo.log"; exit 1; }
  [ -n "$id" ] || sleep 0.05
done
t1=$(now)
xdotool windowfocus --sync "$id"
xdotool key --clearmodifiers F4
until [ "$(stat -c %i "$catalog")" != "$inode" ]; do sleep 0.02; done
t2=$(now)
peak_kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
xdotool key --clearmodifiers alt+F4
wait "$pid"

start_time=$(elapsed "$t0" "$t1")
save_time=$(elapsed "$t1" "$t2")
total=$(elapsed "$t0" "$t2")
printf 'tracks                         %d\n' "$N"
printf 'catalog file                   %.1f MiB\n' "$(echo "$size / 1048576" | bc -l)"
printf 'LC_ALL=C sort -f               %.2f s\n' "$csort_time"
printf 'LC_ALL=C.UTF-8 sort -f         %.2f s\n' "$sort_time"
printf 'zemlo start until window       %.2f s\n' "$start_time"
printf 'zemlo save with F4             %.2f s\n' "$save_time"
printf 'zemlo start + save             %.2f s  (%.2f x sort -f under C.UTF-8; goal <= 1)\n' "$total" "$(echo "$total / $sort_time" | bc -l)"
printf 'zemlo peak memory              %.1f MiB  (%.2f x file size; goal <= 1.3)\n' "$(echo "$peak_kb / 1024" | bc -l)" "$(echo "$peak_kb * 1024 / $size" | bc -l)"
