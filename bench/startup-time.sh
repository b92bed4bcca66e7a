#!/usr/bin/env bash
# Times the game from launch to the title screen (the log's "Going into Game Running
# Mode..." line) in a real window on a virtual X server of 800 x 600, with warm caches:
# one run unmeasured, then RUNS runs, each printed, then their median.
# Usage: bench/startup-time.sh RUN_DIR [RUNS] [GAME OPTION...]
#   e.g. bench/startup-time.sh build/release/quellix 11 --window
set -euo pipefail
dir=$(cd "$1" && pwd) runs=${2:-11}
shift $(($# < 2 ? $# : 2))

if [ -z "${STARTUP_UNDER_X:-}" ]; then
  export STARTUP_UNDER_X=1
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$dir" "$runs" "$@"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

one_run() {
  rm -f "$dir/log.txt"
  local start end pid
  start=$(date +%s%N)
  "$dir/quellix" "$@" >/dev/null 2>&1 &
  pid=$!
  until grep -qs "Going into Game Running Mode" "$dir/log.txt"; do
    kill -0 "$pid" 2>/dev/null || { echo "the game ended before its title screen" >&2; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" || true
  echo $(((end - start) / 1000000))
}

one_run "$@" >/dev/null
times=()
for _ in $(seq "$runs"); do
  t=$(one_run "$@")
  echo "run: $t ms"
  times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "median: %d ms\n", t[int((NR + 1) / 2)] }'
