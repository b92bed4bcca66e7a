#!/usr/bin/env bash
# The installed game as a player meets it:
#  1. `cmake --install` into a fresh prefix: every file in its place, the desktop entry,
#     the AppStream metadata and the manual page pass their validators, the data checker
#     accepts the installed data, and the command line answers --help, --version and
#     wrong options; the Debian package of the same build (cpack) has its program in
#     /usr/games and lintian finds no error and no warning in it;
#  2. run on a virtual X server by a user who cannot write the prefix (nobody): it
#     finds its data, writes log.txt and highscores.txt (the default table) into that
#     user's data folder and nothing into the prefix, a click on EASY starts a game that
#     plays, and a close request ends it cleanly, the game kept in replays/. Running as another user needs root;
#     without it the test reports itself skipped after the first part.
# Usage: install.sh BUILD_DIR QUELLIX_DATA
set -euo pipefail
build=$1 datatool=$2
here=$(cd "$(dirname "$0")" && pwd)
app=io.github.quellix.Quellix

# shellcheck source=game-window.sh
. "$here/game-window.sh"

prefix=$work/prefix home=$work/home
user=$home/.local/share/quellix

# 1. The install.
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/quellix share/quellix/sprites.vtg share/quellix/sounds.vtw \
  share/quellix/data/quellix.txt share/quellix/data/patterns.txt share/quellix/data/config.txt \
  share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/man/man6/quellix.6.gz \
  share/doc/quellix/copyright share/doc/quellix/changelog.gz; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 24 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/quellix.png" ] || fail "no $size px icon"
done
grep -qx "Icon=quellix" "$prefix/share/applications/$app.desktop" || fail "the desktop entry names another icon"
desktop-file-validate "$prefix/share/applications/$app.desktop" >"$work/out" 2>&1 ||
  fail "desktop-file-validate: $(cat "$work/out")"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$work/out" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/out")"
warnings=$(zcat "$prefix/share/man/man6/quellix.6.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "the manual page: $warnings"

# The Debian package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/out" 2>&1 ||
  fail "cpack: $(cat "$work/out")"
deb=$(echo "$work"/package/quellix_*.deb)
dpkg-deb -c "$deb" >"$work/out"
grep -q " \./usr/games/quellix$" "$work/out" || fail "the package's program is not in /usr/games"
lintian --fail-on error,warning "$deb" >"$work/out" 2>&1 || fail "lintian: $(cat "$work/out")"

# The data checker on the installed data, and on the bin/ folder as the game sees it.
"$datatool" check "$prefix/share/quellix" | grep -q "^data OK: " || fail "data check of share/quellix"
[ "$("$datatool" check "$prefix/bin" | head -1)" = "data folder: $prefix/share/quellix/" ] ||
  fail "the data checker does not find the data from bin/"

# The command line.
game=$prefix/bin/quellix
"$game" --help >"$work/out" 2>"$work/err" || fail "--help exits $?"
grep -q "^Usage: quellix \[OPTION\]" "$work/out" && [ ! -s "$work/err" ] || fail "--help output"
[ "$("$game" --version)" = "quellix $(sed -n 's/^.TH QUELLIX 6 "" "Quellix \([^"]*\)".*/\1/p' \
  <(zcat "$prefix/share/man/man6/quellix.6.gz"))" ] || fail "--version and the manual page differ"
status=0
"$game" --bogus >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--bogus exits $status"
grep -q "unknown option --bogus" "$work/err" && grep -q "^Usage: quellix" "$work/err" &&
  [ ! -s "$work/out" ] || fail "--bogus does not print the usage to stderr"
status=0
"$game" --data "$work/none" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q "no such folder" "$work/err" || fail "--data of a missing folder"

# 2. A user who cannot write the prefix.
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: running the game as another user needs root"
  exit 77
fi
mkdir "$home"
chown nobody "$home"
cp "$here/../lsan.supp" "$work/lsan.supp"
chmod 644 "$work/lsan.supp"
touch "$work/installed"

start_x

# setpriv, unlike runuser, runs the game in its own process: the close request reaches it.
setpriv --reuid=nobody --regid=nogroup --clear-groups -- env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" \
  SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 \
  SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
  LSAN_OPTIONS="suppressions=$work/lsan.supp" "$game" >"$work/game.out" 2>&1 &
pid=$!
wait_started
[ "$(messages | sed -n 2,3p)" = "Data folder: $prefix/share/quellix/
User folder: $user/" ] || fail "the log does not name the folders in use"
defaults=$(for i in $(seq 0 9); do
  printf '"Vez Uzodaz",%d,%d,"Master Devuvov"\r\n' $((100000 - 10000 * i)) $((20 - i))
done)
[ "$(cat "$user/highscores.txt")" = "$defaults" ] || fail "highscores.txt is not the default table"

# Esc leaves the high-score table for the title; the pointer, never moved, is on the
# title's start place (110, 195), so 100 down is EASY.
for _ in $(seq 1 30); do
  on_title && break
  xdotool key Escape
  sleep 1
done
on_title || fail "no title screen: $(screen)"
xdotool mousemove_relative -- 20 100
sleep 0.5
xdotool click 1
for _ in $(seq 1 50); do playing && break; sleep 0.1; done
playing || fail "a click on EASY did not start a game: $(screen)"
# Fire while steering, then a bomb.
xdotool mousedown 1
for _ in 1 2 3 4; do
  xdotool mousemove_relative -- 60 -40
  sleep 0.5
done
xdotool mouseup 1
xdotool key space
sleep 1
playing || fail "the game stopped: $(screen)"

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game exits $status: $(cat "$work/game.out")"
[ "$(messages | tail -2 | head -1)" = "Game Shutting Down..." ] || fail "no shutdown line"
# The game under way when the program closed is kept, in the user folder.
messages | tail -1 | grep -q "^Game kept: $user/replays/[0-9-]*-easy-[0-9]*-L1\.replay " ||
  fail "the game was not kept: $(messages | tail -1)"
! grep -q "UNHANDLED\|reports the following" "$user/log.txt" || fail "errors in the log"
[ "$(cat "$user/highscores.txt")" = "$defaults" ] || fail "highscores.txt changed"
[ -z "$(find "$prefix" -newer "$work/installed")" ] || fail "the game wrote into the prefix"
echo "install test passed"
