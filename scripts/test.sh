#!/usr/bin/env bash
# Checks the includes of src/ against the layer table (scripts/check-layers.sh),
# installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite, checks the generated data with quellix-data, builds the
# browser build and runs its tests (Node, headless Chromium) and the Windows game and its
# tests under Wine, then runs every fuzz target for a short while (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-layers.sh
scripts/deps.sh
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j "$(nproc)"
# The generated data, read with the game's own loaders.
build/asan/tools/data/quellix-data check build/asan/quellix
# The browser build (its first configure builds the SDL2 family for it, scripts/port-deps.sh):
# the simulator and the golden replays as WebAssembly under Node, and the page played in
# headless Chromium.
cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web -j "$(nproc)"
# The Windows build under Wine: the tests without a window, the golden replays and the
# game in a window (its libraries are built once by scripts/port-deps.sh, then cached).
cmake --preset windows >/dev/null
cmake --build --preset windows
# One at a time: under Wine a file is one object across processes, and a test removing
# its link to the game's data while another opens its own link to the same file makes
# that open fail. Wine now and then fails to start a program at all (a test with no
# output in a few milliseconds): a test runs once more before it counts as failed, and
# one that fails for a reason of its own fails both times.
ctest --preset windows --repeat until-pass:2
# Every reader of a file, fuzzed for 20 seconds each.
scripts/fuzz.sh 20
