#!/usr/bin/env bash
# Measures the four difficulties with the skilled bot and rewrites docs/difficulty.md:
# quellix-sim plays 200 games (GAMES=N for another number) at each of child, easy,
# normal and hard in a release build, every core busy: 17 million ticks, about 20
# minutes on two busy cores.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quellix-sim
page=$(mktemp docs/difficulty.md.XXXXXX)
trap 'rm -f "$page"' EXIT
build/release/tools/sim/quellix-sim --table --bot skilled --games "${GAMES:-200}" \
  --jobs "$(nproc)" >"$page"
mv "$page" docs/difficulty.md
trap - EXIT
echo "docs/difficulty.md rewritten"
