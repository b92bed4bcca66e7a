#!/usr/bin/env bash
# Simulated ticks a second of the same skilled-bot games (normal, seed 1), the Windows
# build's quellix-sim.exe under Wine against the native quellix-sim, run alternately:
# one run of each unmeasured, then ROUNDS runs of each, each printed, then both medians
# and the Windows build's median over the native one. Both must print the same games
# (their --json lines), or the figures compare different work.
# Usage: bench/windows-bench.sh [GAMES] [ROUNDS]   (default 20 games, 3 rounds)
# Build first: cmake --preset release && cmake --build --preset release --target quellix-sim,
# and the windows preset (cmake --preset windows && cmake --build --preset windows).
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-20} rounds=${2:-3}
native=build/release/tools/sim/quellix-sim
windows=build/windows/tools/sim/quellix-sim.exe
for program in "$native" "$windows"; do
  [ -x "$program" ] || { echo "windows-bench: no $program (build it first)" >&2; exit 1; }
done
args=(--bot skilled --difficulty normal --seed 1 --games "$games" --json)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# One run of `which`: its games on $out/<which>.json, its ticks a second printed (the
# simulator's closing line, which it gives for runs of over 3 s).
run() {
  local which=$1
  if [ "$which" = native ]; then
    "$native" "${args[@]}" >"$out/$which.json" 2>"$out/$which.err"
  else
    scripts/wine-run.sh build/windows/wine "$windows" "${args[@]}" >"$out/$which.json" 2>"$out/$which.err"
  fi
  tr -d '\r' <"$out/$which.err" | sed -n 's/.*(\([0-9]*\) ticks a second).*/\1/p' | tail -n 1
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

run native >/dev/null
run windows >/dev/null
if ! diff <(tr -d '\r' <"$out/native.json") <(tr -d '\r' <"$out/windows.json") >/dev/null; then
  echo "windows-bench: the two builds played different games" >&2
  exit 1
fi
ticks=$(sed -n 's/.*"ticks": *\([0-9]*\).*/\1/p' "$out/native.json" | awk '{ s += $1 } END { print s }')
echo "$games games of the skilled bot on normal, $ticks ticks, the same in both builds"
: >"$out/native.rates"
: >"$out/windows.rates"
for round in $(seq 1 "$rounds"); do
  for which in native windows; do
    rate=$(run "$which")
    [ -n "$rate" ] || { echo "windows-bench: no figure from $which: $(cat "$out/$which.err")" >&2; exit 1; }
    echo "$rate" >>"$out/$which.rates"
    printf 'round %d  %-8s %8d ticks a second\n' "$round" "$which" "$rate"
  done
done
n=$(median <"$out/native.rates") w=$(median <"$out/windows.rates")
printf 'median   native   %8d ticks a second\nmedian   windows  %8d ticks a second (Wine)\n' "$n" "$w"
awk -v n="$n" -v w="$w" 'BEGIN { printf "windows / native: %.2f\n", w / n }'
