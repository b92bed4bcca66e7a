#!/usr/bin/env bash
# Records the golden replays of tests/replays/ again, when a change of play is meant
# (say so in the commit): every game of tests/replays/games.txt is played by the skilled
# bot and recorded (NAME.replay), then played back to write what it must come to
# (NAME.golden). A release build of quellix-sim does it in a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target quellix-sim
sim=build/release/tools/sim/quellix-sim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -v '^#' tests/replays/games.txt | while read -r name difficulty seed ticks; do
  [ -n "$name" ] || continue
  "$sim" --difficulty "$difficulty" --seed "$seed" --max-ticks "$ticks" --record "$work" \
    >/dev/null
  mv "$work/game000.replay" "tests/replays/$name.replay"
  "$sim" --replay "tests/replays/$name.replay" --golden "tests/replays/$name.golden"
done
