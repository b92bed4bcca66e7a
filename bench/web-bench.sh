#!/usr/bin/env bash
# The browser build's figures (bench/web-bench.py): the simulator as WebAssembly under
# Node against native, the page's load to the title and its download in headless
# Chromium, and a golden replay at normal speed there. Builds the release simulator and
# the web preset first. Usage: bench/web-bench.sh [GAMES]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
[ -f build/release/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build --preset release --target quellix-sim
[ -f build/web/CMakeCache.txt ] || cmake --preset web >/dev/null
cmake --build --preset web --target quellix quellix-sim
exec /usr/bin/python3 bench/web-bench.py build/release/tools/sim/quellix-sim \
  build/web/tools/sim/quellix-sim.js build/web/page tests/replays/easy.replay "${1:-6}"
