#!/usr/bin/env bash
# Installs what is missing, builds the game, its data and the data tools (no tests, no
# benchmarks) and starts the game; arguments are passed on to it (--window, --help, ...).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/play/quellix/quellix "$@"
