#!/usr/bin/env bash
# Times start-up against its floor in a real window on a virtual X server of 800 x 600,
# with warm caches: launch to the title screen (the log's "Going into Game Running
# Mode..." line) of the game, and of the floor (bench/floor/startup_floor: the same SDL
# subsystems, window and renderer, one clear and present, the same log line, nothing of
# the game), run alternately: one run of each unmeasured, then RUNS runs of each, each
# printed, then both medians and the game's median over the floor's.
# Usage: bench/startup-time.sh RUN_DIR [RUNS] [GAME OPTION...]
#   e.g. bench/startup-time.sh build/release/quellix 7 --window
# The floor is RUN_DIR/../bench/startup_floor unless STARTUP_FLOOR names another one; it
# opens its window as the game does (--window among the options: not full screen).
set -euo pipefail
dir=$(cd "$1" && pwd) runs=${2:-7}
shift $(($# < 2 ? $# : 2))
floor=${STARTUP_FLOOR:-$dir/../bench/startup_floor}
[ -x "$floor" ] || { echo "no floor program at $floor (build the release preset)" >&2; exit 1; }

if [ -z "${STARTUP_UNDER_X:-}" ]; then
  export STARTUP_UNDER_X=1
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$dir" "$runs" "$@"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

floor_dir=$(mktemp -d)
trap 'rm -rf "$floor_dir"' EXIT
floor_args=("$floor_dir")
for option in "$@"; do [ "$option" = --window ] && floor_args+=(--window); done

# Waits without starting a process, so that the waiting takes no time from the program
# timed on two busy cores.
exec {nothing}<> <(:)
pause() { read -r -t 0.002 -u "$nothing" || true; }
title_logged() {  # log file
  local line
  [ -s "$1" ] || return 1
  while IFS= read -r line; do [ "$line" = "Going into Game Running Mode..." ] && return 0; done <"$1"
  return 1
}

# Prints the milliseconds from launch to the log line: one_run LOG PROGRAM [ARG...]
one_run() {
  local log=$1 start end pid
  shift
  rm -f "$log"
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until title_logged "$log"; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its title screen" >&2; exit 1; }
    pause
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" || true
  echo $(((end - start) / 1000000))
}

game_run() { one_run "$dir/log.txt" "$dir/quellix" "$@"; }
floor_run() { one_run "$floor_dir/log.txt" "$floor" "${floor_args[@]}"; }
median() { printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

game_run "$@" >/dev/null
floor_run >/dev/null
games=() floors=()
for _ in $(seq "$runs"); do
  g=$(game_run "$@")
  f=$(floor_run)
  echo "run: game $g ms, floor $f ms"
  games+=("$g")
  floors+=("$f")
done
game=$(median "${games[@]}") base=$(median "${floors[@]}")
echo "median: game $game ms, floor $base ms"
awk -v g="$game" -v f="$base" 'BEGIN { printf "ratio: %.2f\n", g / f }'
