#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs every fuzz/fuzz_*.cpp target for a
# given time on its seed corpus (fuzz/corpus/<target>/), as many at once as there are
# cores. A crash, leak or sanitizer report fails the run; the input that caused it is
# kept in build/fuzz/findings/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]    SECONDS per target, 20 when not given
#   FUZZ_RUNS=N scripts/fuzz.sh 600          a target also ends after N executions
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ $# -gt 0 ] && shift
case "$seconds" in '' | *[!0-9]*)
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
  ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

findings=build/fuzz/findings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export TMPDIR="$work"

# Runs one target; its log and the line of figures go to the work folder.
run_target() {
  local target=$1 corpus="$work/$1"
  mkdir -p "$corpus"
  local seeds=()
  [ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
  local runs=()
  [ -n "${FUZZ_RUNS:-}" ] && runs=("-runs=$FUZZ_RUNS")
  local status=0
  "build/fuzz/fuzz/$target" -max_total_time="$seconds" "${runs[@]}" -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$corpus" "${seeds[@]}" >"$work/$target.log" 2>&1 ||
    status=$?
  local executions
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log" | tail -1)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${executions:-?} runs in ${seconds}s at most, corpus $(ls "$corpus" | wc -l) new inputs, no findings"
  else
    echo "$target: FAILED after ${executions:-?} runs (status $status); see $findings"
    tail -40 "$work/$target.log"
  fi
  return "$status"
}
export -f run_target
export seconds work findings

echo "Fuzzing ${#targets[@]} targets for ${seconds}s each, $(nproc) at a time..."
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_target {}'
