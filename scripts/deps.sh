#!/usr/bin/env bash
# Installs the Debian packages Quellix needs, where missing: `deps.sh play` those that
# building and playing the game take (cpp-httplib and nlohmann-json for its board
# client); `deps.sh web` those and the ones the browser build takes (scripts/web.sh);
# `deps.sh` all of them, with those of the tests (zlib, whose inflate reads back our own
# deflate, and the browser's among them), the benchmarks, the package and the shared
# board (SQLite, libpqxx, and PostgreSQL, which the board's tests start).
set -euo pipefail

play=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  fonts-dejavu-core
  libcpp-httplib-dev nlohmann-json3-dev
)
develop=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool
  desktop-file-utils appstream groff-base lintian
  dpkg-dev
  libsqlite3-dev libpqxx-dev postgresql
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64
)
# The browser build: Emscripten and Node (scripts/port-deps.sh builds the SDL2 family
# from Debian's source packages with them); the browser test drives Chromium through
# its DevTools protocol with Python's websocket client.
web=(
  emscripten nodejs dpkg-dev python3
)
browser_test=(
  chromium python3-websocket
)
case "${1:-all}" in
  play) packages=("${play[@]}") ;;
  web) packages=("${play[@]}" "${web[@]}") ;;
  all) packages=("${play[@]}" "${develop[@]}" "${web[@]}" "${browser_test[@]}") ;;
  *)
    echo "usage: deps.sh [play|web]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
