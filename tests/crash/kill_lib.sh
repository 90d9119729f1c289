# The kill trials of kill_saves.sh and kill_small_saves.sh; sourced after lib.sh's enter_xvfb. Each trial
# restarts the program on the old file, starts a save and kills the program with SIGKILL at a
# random moment; the file must then be byte for byte the old one or the whole new one. The new
# bytes come from one save that completes; it also measures when the program's temporary file
# (".<name>.zemlo-save-XXXXXX") appears and when it is renamed over the file, and the kill moments
# are spread from the key that starts the save to a little after the rename. A kill during the
# write leaves the temporary file behind: the completed save starts with one there and must
# remove it. CRASH_SEED repeats an earlier run's kill moments.

work=$WORK
home="$work/home"; mkdir -p "$home"
seed=${CRASH_SEED:-$$}
RANDOM=$seed
echo "kill moments from seed $seed (CRASH_SEED)"

# A catalog of N tracks: artists in random order, unique CD keys. Neither the spacing nor the
# order is the program's own, so that every completed save changes the bytes.
generate_catalog() {
  awk -v n="$1" 'BEGIN {
    srand(13)
    printf "CD#         Time   Size      Artist - CD Name - Song\r\n-----------\r\n"
    for (i = 1; i <= n; i++)
      printf "CD%04d; %02d:%02d; %d; Artist %05d; Album %d; Song %d; Dir%d\\track%06d.mp3\r\n",
        int(i / 20), int(rand() * 10), int(rand() * 60), int(rand() * 9000000), int(rand() * 40000), i % 1000,
        i, i % 50, i
  }'
}
# The small files are saved from a catalog of 20,000 tracks: the program starts faster.
generate_catalog 20000 > "$work/small.lst"
# A list of every second of those tracks, LF line ends.
awk 'BEGIN { for (i = 2; i <= 20000; i += 2) printf "CD%04d\tDir%d\\track%06d.mp3\n", int(i / 20), i % 50, i }' \
  > "$work/list.old"
printf 'an old playlist\r\n' > "$work/playlist.old"
# A long foreign section makes the INI's write last long enough to be hit.
{ printf '[ZEMLO]\r\nCD=%s/\r\nList=Cat.lst\r\n[Other]\r\n' "$work/cd"
  awk 'BEGIN { for (i = 1; i <= 100000; i++) printf "Key%06d=a value kept by every save\r\n", i }'; } > "$work/setup.old"
cp "$work/setup.old" "$home/ZEMLO.INI"

cat_file="$home/Cat.lst"
declare -A file=([catalog]="$cat_file" [list]="$work/sel.m3c" [playlist]="$work/play.m3u" [setup]="$home/ZEMLO.INI")

start() {
  start_zemlo "$home"
  id=$(wait_window '^ZEMLO - CAT\.LST$')
}

# kill_zemlo: SIGKILL, without the shell's report of the killed job.
kill_zemlo() {
  kill -KILL "$ZEMLO_PID"
  reap 2>/dev/null
}

# The steps before each save's last key; they set the window and the key that starts the save.
prepare_catalog() {
  press "$id" Tab Down Up ctrl+Home Delete
  wait_log "Delete the selected Song from the Database ?"
  press "$(wait_window '^Confirmation$')" y
  wait_gone '^Confirmation$'
  last_window=$id; last_key=F4
}
load_list() {
  press "$id" F3
  type_name 'Select CD List FileName' "${file[list]}"
}
replace_question() {
  wait_log "$(basename "$1") already exists. Do you want to replace it ?"
  last_window=$(wait_window '^Confirmation$'); last_key=y
}
prepare_list() {
  load_list
  press "$id" F2
  type_name 'Select CD List FileName' "${file[list]}"
  replace_question "${file[list]}"
}
prepare_playlist() {
  load_list
  press "$id" alt+d Right Up Up Return
  type_name 'Select Play list FileName' "${file[playlist]}"
  replace_question "${file[playlist]}"
}
prepare_setup() {
  press "$id" alt+s
  last_window=$(wait_window '^Setup for ZEMLO$'); last_key=Return
}

# leftovers FILE: sets left to the number of temporary files of FILE's saves (no process started,
# so that polling is fine-grained).
leftovers() {
  local found=("$(dirname "$1")/.$(basename "$1").zemlo-save-"*)
  left=${#found[@]}
}
shopt -s nullglob
# nap SECONDS: a sleep without starting a process.
exec {nap_fd}<> <(:)
nap() { read -r -t "$1" -u "$nap_fd" || true; }

# wait_gone NAME_REGEX: waits until no visible window has that name.
wait_gone() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$1' still shown"
}

elapsed_since() {
  awk -v ns=$(( $(date +%s%N) - $1 )) 'BEGIN { printf "%.3f", ns / 1e9 }'
}

# measure KIND: one save that completes; keeps its bytes in $work/KIND.new and sets first and
# last (seconds after the last key): when the temporary file appeared and when it was renamed.
# A file named as a killed save's temporary file is there before and must be gone after.
measure() {
  local kind=$1 f=${file[$1]} start_ns deadline
  cp "$work/$kind.old" "$f"
  head -c 1000 "$work/$kind.old" > "$(dirname "$f")/.$(basename "$f").zemlo-save-Kill01"
  start
  "prepare_$kind"
  # The link keeps the old file's inode: the rename gives the name another one.
  ln -f "$f" "$work/before-save"
  press "$last_window" "$last_key"
  start_ns=$(date +%s%N)
  first=
  deadline=$((SECONDS + 60))
  while [ "$f" -ef "$work/before-save" ] && [ $SECONDS -lt $deadline ]; do
    leftovers "$f"
    [ -z "$first" ] && [ "$left" -gt 1 ] && first=$(elapsed_since "$start_ns")
    nap 0.01
  done
  [ ! "$f" -ef "$work/before-save" ] || fail "$kind: the file was not replaced (renamed over) within 60 s of the key"
  last=$(elapsed_since "$start_ns")
  first=${first:-$last}
  rm "$work/before-save"
  for _ in $(seq 1 50); do leftovers "$f"; [ "$left" -eq 0 ] && break; sleep 0.1; done
  [ "$left" -eq 0 ] || fail "$kind: the completed save left temporary files: $(ls -A "$(dirname "$f")")"
  cp "$f" "$work/$kind.new"
  cmp -s "$f" "$work/$kind.old" && fail "$kind: the save did not change the file"
  kill_zemlo
}

# trials KIND COUNT: restarts the program for each trial and kills it at a random moment from the
# key to a little after the measured rename.
trials() {
  local kind=$1 count=$2 f=${file[$1]} old=0 new=0 mid=0 delay before is_old=false
  measure "$kind"
  for trial in $(seq 1 "$count"); do
    $is_old || cp "$work/$kind.old" "$f"
    leftovers "$f"; before=$left
    start
    "prepare_$kind"
    delay=$(awk -v r=$RANDOM -v b="$last" 'BEGIN { printf "%.3f", r / 32767 * (b * 1.1 + 0.01) }')
    press "$last_window" "$last_key"
    nap "$delay"
    kill_zemlo
    is_old=false
    if cmp -s "$f" "$work/$kind.old"; then old=$((old + 1)); is_old=true
    elif cmp -s "$f" "$work/$kind.new"; then new=$((new + 1))
    else fail "$kind trial $trial (kill ${delay}s after the key): the file is neither the old nor the new one"
    fi
    leftovers "$f"; [ "$left" -gt "$before" ] && mid=$((mid + 1))
  done
  echo "$kind: write from ${first}s to ${last}s after the key; $count kills: $old old, $new new file," \
    "$mid during the write (a temporary file left)"
}

