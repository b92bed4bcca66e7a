#!/usr/bin/env bash
# quellix-sim.js under Node takes the native simulator's options: a golden replay played
# with --replay FILE --data DIR --json ends where the golden file says.
#   sim-replay-test.sh QUELLIX_SIM_JS REPLAY GOLDEN DATA_DIR
set -euo pipefail
sim="$1" replay="$2" golden="$3" data="$4"
read -r tick score level < <(sed -n 's/^end tick \([0-9]*\) score \(-\?[0-9]*\) level \(-\?[0-9]*\).*/\1 \2 \3/p' "$golden")
out="$(node "$sim" --replay "$replay" --data "$data" --json)"
echo "$out"
for want in "\"end\":\"replay finished\"" "\"ticks\":$tick" "\"score\":$score" "\"level\":$level"; do
  if [[ "$out" != *"$want"* ]]; then
    echo "sim-replay-test: $want missing: the replay did not end as the golden file says" >&2
    exit 1
  fi
done
