#!/usr/bin/env bash
# Starts the real game in a real window on a virtual X server, twice:
#  1. with no data beside it: the log shows the start-up lines up to the failed image
#     archive, the program keeps running, and Esc ends it cleanly;
#  2. with a small image and sound archive made by quellix-pack: the load gets past the
#     images, and a close request (SIGTERM, as a window manager's close) ends it cleanly.
# Usage: startup.sh QUELLIX QUELLIX_PACK FIXTURE_DIR
set -euo pipefail
quellix=$1 pack=$2 fixtures=$3

if [ -z "${SMOKE_UNDER_X:-}" ]; then
  export SMOKE_UNDER_X=1
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi

# The window goes to the virtual X server, whatever video driver the other tests use.
# Sanitizer builds: SDL's software renderer (Mesa's leaks from an unloaded module), and
# the leaks of system libraries that the game cannot free.
export SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pid=""
fail() {
  echo "FAIL: $*"
  echo "--- log.txt"
  cat "$1/log.txt" 2>/dev/null || true
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  exit 1
}

# The log's messages: the middle line of every three-line entry.
messages() { awk 'NR % 3 == 2' "$1/log.txt"; }

wait_exit() {  # pid seconds
  for _ in $(seq 1 $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

run_case() {  # dir
  cp "$quellix" "$1/quellix"
  (cd "$1" && exec ./quellix) &
  pid=$!
  for _ in $(seq 1 300); do grep -q "UNHANDLED" "$1/log.txt" 2>/dev/null && break; sleep 0.1; done
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "$1" "the game ended by itself"
}

# 1. No data at all.
mkdir "$work/empty"
run_case "$work/empty"
expected=$(printf '%s\n' "Vintor Version 6.0 Logger Successfully Initialized" \
  "Data folder: $work/empty/" "User folder: $work/empty/" "Motion: smooth (settings.txt)" \
  "Creating Engine Objects..." "Loading Sprites..." \
  "WARNING: UNHANDLED EXCEPTION DURING GAME OPERATION!"$'\r'"$work/empty/sprites.vtg: cannot open file")
# The display's own line (its rate, vsync) depends on the screen.
[ "$(messages "$work/empty" | grep -v '^Smooth motion: ')" = "$expected" ] ||
  fail "$work/empty" "unexpected start-up log"
# The key goes to the focused window; on a loaded machine the first press may come
# before the game's window has the focus, so press again until it ends.
for _ in $(seq 1 30); do
  xdotool key Escape
  wait_exit "$pid" 1 && break
done
kill -0 "$pid" 2>/dev/null && fail "$work/empty" "Esc did not end the game"
wait "$pid" || fail "$work/empty" "exit status $?"
[ "$(messages "$work/empty" | tail -1)" = "Game Shutting Down..." ] || fail "$work/empty" "no shutdown line"

# 2. Archives made by quellix-pack.
mkdir "$work/packed"
cp "$fixtures"/* "$work/packed/"
(cd "$work/packed" && "$pack" build sprites.vtg manifest-images.txt && "$pack" build sounds.vtw manifest-sounds.txt) >/dev/null
run_case "$work/packed"
messages "$work/packed" | grep -qx "Loading Animations..." || fail "$work/packed" "the images did not load"
kill -TERM "$pid"
wait_exit "$pid" 30 || fail "$work/packed" "closing did not end the game"
wait "$pid" || fail "$work/packed" "exit status $?"
[ "$(messages "$work/packed" | tail -1)" = "Game Shutting Down..." ] || fail "$work/packed" "no shutdown line"
echo "start-up smoke test passed"
