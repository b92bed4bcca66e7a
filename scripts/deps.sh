#!/usr/bin/env bash
# Installs the Debian packages Quellix needs, where missing: `deps.sh play` those that
# building and playing the game take; `deps.sh` also those of the tests, the benchmarks
# and the package.
set -euo pipefail

play=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  fonts-dejavu-core
)
develop=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool
  desktop-file-utils appstream groff-base lintian
  dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64
)
case "${1:-all}" in
  play) packages=("${play[@]}") ;;
  all) packages=("${play[@]}" "${develop[@]}") ;;
  *)
    echo "usage: deps.sh [play]" >&2
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
