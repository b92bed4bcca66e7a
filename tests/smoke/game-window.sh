# Sourced by the smoke tests that run the game in a window: a work folder, removed at the
# end with the game (pid, set by the test) and the X server; failing with the game's log
# ($user/log.txt, user set by the test); a virtual X server of the test's own whose
# screen lies in a file; and readings of that screen.

work=$(realpath "$(mktemp -d)")
chmod 755 "$work"
pid="" xvfb=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -f "$user/log.txt" ]; then
    echo "--- $user/log.txt"
    cat "$user/log.txt"
  fi
  exit 1
}
# The log's messages: the middle line of every three-line entry.
messages() { awk 'NR % 3 == 2' "$user/log.txt"; }
# Waits a minute at most for the game (pid, output in $work/game.out) to start.
wait_started() {
  for _ in $(seq 1 600); do
    grep -q "Going into Game Running Mode" "$user/log.txt" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended during start-up: $(cat "$work/game.out")"
    sleep 0.1
  done
  fail "the game did not start within a minute"
}

# The X server, 800 x 600, without access control (any user's game may use it); sets
# DISPLAY.
start_x() {
  mkdir -p "$work/fb"
  Xvfb -displayfd 3 -screen 0 800x600x24 -fbdir "$work/fb" -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$work/display")
}

# The share of dark pixels on the screen (%), the pixels of the heads-up display's blue
# text in the bottom-left corner, and those of the high-score name window's text (its own
# light blue, 67 185 241) in the middle: the title is bright, the high-score table dark
# without a heads-up display, the game dark with one.
screen() {
  tail -c $((800 * 600 * 4)) "$work/fb/Xvfb_screen0" | od -An -v -tu1 -w4 | awk '
    { i = NR - 1; x = i % 800; y = int(i / 800)
      if ($1 + $2 + $3 < 60) dark++
      if (x < 120 && y >= 555 && y < 590 && $1 > 200 && $3 < 100) hud++
      if (x >= 185 && x < 615 && y >= 266 && y < 334 && $1 >= 238 && $1 <= 244 && $2 >= 182 &&
          $2 <= 188 && $3 >= 64 && $3 <= 70) name++ }
    END { print int(100 * dark / NR), hud + 0, name + 0 }'
}
on_title() { read -r dark hud name < <(screen) && [ "$dark" -lt 50 ] && [ "$hud" -eq 0 ]; }
playing() { read -r dark hud name < <(screen) && [ "$dark" -gt 50 ] && [ "$hud" -gt 200 ]; }
asks_name() { read -r dark hud name < <(screen) && [ "$name" -gt 800 ]; }
