#!/usr/bin/env bash
# Builds the SDL2 family, FreeType and HarfBuzz for a port from Debian's own source
# packages, static, into a cache outside the build tree, and prints the prefix they were
# installed into:
#
#   scripts/port-deps.sh web        Emscripten (Debian's emscripten package)
#   scripts/port-deps.sh windows    x86_64-w64-mingw32, posix threads (Debian's mingw-w64)
#
# The cache folder is $QUELLIX_PORTS_CACHE, else ~/.cache/quellix-ports. A build is keyed by
# the source packages' versions, the toolchain's version and this script, and kept as
# <target>-<key>/; <target> is a link to the newest, which the presets read. A second run
# with the same key only prints the prefix. The toolchains and the source entry are
# installed when missing (as root or through sudo).
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-}"
case "$target" in
  web | windows) ;;
  *)
    echo "usage: port-deps.sh web|windows" >&2
    exit 2
    ;;
esac

cache="${QUELLIX_PORTS_CACHE:-$HOME/.cache/quellix-ports}"
sources=(libsdl2 libsdl2-image libsdl2-mixer libsdl2-ttf freetype harfbuzz)
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
say() { echo "port-deps: $*" >&2; }

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" >&2
}

# A deb-src twin of every deb entry of the archive this machine already uses.
add_source_entries() {
  local list=/etc/apt/sources.list.d/quellix-deb-src.sources
  [ -f "$list" ] && return 0
  if grep -rqs '^\s*Types:.*deb-src\|^\s*deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  say "adding source entries for the Debian archive in $list"
  local tmp
  tmp="$(mktemp)"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # deb822 stanzas: each one of Types: deb becomes the same stanza with Types: deb-src.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[ \t]*deb([ \t]|\n|$)/ && /deb\.debian\.org|debian/ {
           sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' "$f" >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^\s*deb\s\+\(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list |
      awk '{ print "Types: deb-src\nURIs: " $2 "\nSuites: " $3 "\nComponents: " substr($0, index($0, $4)) "\n" }' >>"$tmp"
  fi
  if [ ! -s "$tmp" ]; then
    rm -f "$tmp"
    echo "port-deps: no Debian archive entry found to add a source entry for" >&2
    exit 1
  fi
  $sudo install -m 644 "$tmp" "$list"
  rm -f "$tmp"
  $sudo apt-get update -qq
}

case "$target" in
  web)
    install_missing emscripten nodejs cmake ninja-build dpkg-dev
    toolchain_file=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    toolchain_version="$(emcc --version | head -n 1)"
    # emcc needs Debian's JavaScript modules when another node comes first on PATH.
    export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
    ;;
  windows)
    install_missing g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
      cmake ninja-build dpkg-dev
    toolchain_file="$repo/cmake/mingw-w64.cmake"
    toolchain_version="$(x86_64-w64-mingw32-g++-posix --version | head -n 1)"
    ;;
esac

add_source_entries
mkdir -p "$cache/sources"
(cd "$cache/sources" && apt-get source --download-only -qq "${sources[@]}" >/dev/null 2>&1) || {
  echo "port-deps: apt-get source failed for ${sources[*]}; is the archive reachable?" >&2
  exit 1
}

# The newest .dsc of each source package is the one apt just fetched.
dscs=()
for s in "${sources[@]}"; do
  dsc="$(ls -1 "$cache/sources/${s}_"*.dsc | sort -V | tail -n 1)"
  dscs+=("$dsc")
done
key="$( (for d in "${dscs[@]}"; do basename "$d"; done
  echo "$toolchain_version"
  cat "$0" "$toolchain_file") | sha256sum | cut -c1-16)"
prefix="$cache/$target-$key"
if [ -f "$prefix/.complete" ]; then
  ln -sfn "$target-$key" "$cache/$target"
  echo "$prefix"
  exit 0
fi

work="$cache/work-$target"
rm -rf "$work" "$prefix"
mkdir -p "$work"
for d in "${dscs[@]}"; do
  name="$(basename "$d" .dsc)"
  dpkg-source --no-check -x "$d" "$work/${name%%_*}" >/dev/null
done

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain_file"
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix"
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF -DQUELLIX_PORT_PREFIX="$prefix")

build() {
  local name="$1"
  shift
  local started=$SECONDS
  say "building $name for $target"
  cmake -S "$work/$name" -B "$work/$name/build-$target" "${common[@]}" "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name/build-$target" >>"$work/$name.log" 2>&1 &&
    cmake --install "$work/$name/build-$target" >>"$work/$name.log" 2>&1 || {
    tail -n 40 "$work/$name.log" >&2
    echo "port-deps: $name failed for $target; the whole log: $work/$name.log" >&2
    exit 1
  }
  say "built $name in $((SECONDS - started)) s"
}

build libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
build libsdl2-image -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF \
  -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_BACKEND_IMAGEIO=OFF \
  -DSDL2IMAGE_BACKEND_WIC=OFF -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF \
  -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF \
  -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
  -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF \
  -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF
build libsdl2-mixer -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF \
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS= -DSDL2MIXER_WAVE=ON
build freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# HarfBuzz shapes SDL2_ttf's text as in Debian's own build (kerning from the fonts' GPOS
# tables): a port then draws the very pixels of the native game.
build harfbuzz -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF
build libsdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF

# The licences of what a package of the port ships.
mkdir -p "$prefix/licenses"
for d in "${dscs[@]}"; do
  name="$(basename "$d" .dsc)"
  cp "$work/${name%%_*}/debian/copyright" "$prefix/licenses/${name%%_*}.copyright"
done
(for d in "${dscs[@]}"; do basename "$d" .dsc; done; echo "$toolchain_version") >"$prefix/versions.txt"
touch "$prefix/.complete"
ln -sfn "$target-$key" "$cache/$target"
rm -rf "$work"
echo "$prefix"
