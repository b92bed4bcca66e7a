#!/usr/bin/env bash
# The Windows game under Wine on a virtual X server, as a player meets it when it was
# unpacked into a folder the player cannot write (as under C:\Program Files), a folder
# whose name is not ASCII:
#  1. the command line: --help prints the usage and exits 0, --version the version, an
#     unknown option the usage on stderr and exits 2;
#  2. the game finds its data beside itself, writes its log and high scores into the
#     user's %APPDATA%\Quellix and nothing beside itself, and shows the title;
#  3. a game on hard, the player idle, ends in the name window (the table holds only
#     scores of 0); the name typed is in highscores.txt at once and stays there when the
#     process is killed.
# The player is the user nobody, with a Wine prefix of its own in PREFIX, kept between
# runs (a new one takes long to make). Running as another user needs root; without it
# the test reports itself skipped.
# Usage: windows.sh WINE_RUN RUN_DIR PREFIX
#   WINE_RUN: scripts/wine-run.sh; RUN_DIR: the build's run folder (quellix.exe, data).
set -euo pipefail
winerun=$1 rundir=$2 prefix=$3

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: running the game as another user needs root"
  exit 77
fi

# shellcheck source=game-window.sh
. "$(dirname "$0")/game-window.sh"

game="$work/Spiele für Jörg/Quellix"
user="$prefix/drive_c/users/nobody/AppData/Roaming/Quellix"

mkdir -p "$game" "$work/home" "$prefix"
cp -r "$rundir/quellix.exe" "$rundir/sprites.vtg" "$rundir/sounds.vtw" "$rundir/data" \
  "$rundir/fonts" "$game/"
chmod -R a-w "$game"
touch "$work/unpacked"
chown nobody:nogroup "$work/home" "$prefix"
rm -rf "$user"

# As the player: nothing of root's environment but the display, in a UTF-8 locale (Wine
# reads the names of files in the locale's character set), and SDL's software renderer:
# Wine's Direct3D draws here with Mesa's software OpenGL, at a few frames a second.
player() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups -- env -i PATH=/usr/bin:/bin \
    HOME="$work/home" LANG=C.UTF-8 DISPLAY="${DISPLAY:-}" SDL_RENDER_DRIVER=software "$@"
}
run() { player "$winerun" "$prefix" "$game/quellix.exe" "$@"; }

# The X server first: Wine's desktop, started with the first program and kept for the
# next ones, has no display when that program started without one, and then no window
# can be made.
start_x

# 1. The command line (Windows' line ends dropped).
run --help >"$work/out" 2>"$work/err" || fail "--help exits $?"
grep -q "^Usage: quellix.exe \[OPTION\]" "$work/out" && [ ! -s "$work/err" ] ||
  fail "--help output: $(cat "$work/out" "$work/err")"
run --version | tr -d '\r' | grep -qx "quellix [0-9.]*" || fail "--version"
status=0
run --bogus >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--bogus exits $status"
grep -q "unknown option --bogus" "$work/err" && grep -q "^Usage: quellix.exe" "$work/err" &&
  [ ! -s "$work/out" ] || fail "--bogus does not print the usage to stderr"

# 2. The game. Ten scores of 0: any game that scores ranks.
player mkdir -p "$user"
for _ in $(seq 1 10); do printf '"Zero",0,1,"Devuvov"\r\n'; done | player tee "$user/highscores.txt" >/dev/null

run >"$work/game.out" 2>&1 &
pid=$!
wait_started
windows_game="Z:$(printf '%s' "$game/" | tr / '\\')"
[ "$(messages | sed -n 2,3p)" = "Data folder: $windows_game
User folder: C:\\users\\nobody\\AppData\\Roaming\\Quellix\\" ] || fail "the log does not name the folders in use"
! messages | grep -q "UNHANDLED\|reports the following\|not installed" || fail "errors in the log"
[ -z "$(find "$game" -newer "$work/unpacked")" ] || fail "the game wrote beside itself"
for _ in $(seq 1 100); do on_title && break; sleep 0.1; done
on_title || fail "no title screen: $(screen)"
# Under Wine the window takes the pointer a moment after its first picture (a click
# before that was seen lost on a first run); the title stays 8 s.
sleep 1

# 3. HARD lies 520 right of and 100 below the pointer's start; the player then waits.
xdotool mousemove_relative -- 520 100
sleep 0.5
xdotool click 1
for _ in $(seq 1 50); do playing && break; sleep 0.1; done
playing || fail "a click on HARD did not start a game: $(screen)"
# The player moves the ships all over the field with the fire button held, to a new
# place each second: an idle game, or one swept between two places, can stand still
# once its last enemy keeps out of every firing line. Enemies met end the game, and
# cleared levels bring new ones. Under a minute or two on an idle machine; Wine's few
# frames a second on a busy one stretch it.
xdotool mousedown 1
place=0
for i in $(seq 1 420); do
  asks_name && break
  next=$((i * 173 % 600 - 300))
  xdotool mousemove_relative -- $((next - place)) $((next - place))
  place=$next
  sleep 1
done
xdotool mouseup 1
asks_name || fail "no name window: $(screen)"
xdotool type --delay 50 "Wine Tester"
xdotool key Return
entered() { head -1 "$user/highscores.txt" | grep -q '^"Wine Tester",[1-9][0-9]*,[0-9]*,"\?Devuvov"\?'$'\r''$'; }
for _ in $(seq 1 100); do entered && break; sleep 0.1; done
entered || fail "the name is not in highscores.txt: $(head -1 "$user/highscores.txt")"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=""
entered || fail "the name did not survive the kill"
[ "$(wc -l <"$user/highscores.txt")" -eq 10 ] || fail "highscores.txt is not whole"
[ ! -e "$user/highscores.txt.new" ] || fail "a temporary file was left"
echo "Windows smoke test passed"
