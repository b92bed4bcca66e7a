#!/usr/bin/env bash
# Builds Quellix for the browser (the web preset: WebAssembly with Debian's Emscripten;
# the first build also builds the SDL2 family for it, which takes a while) and serves
# its page on http://127.0.0.1:8000/ until Ctrl+C (PORT=N for another port).
#
#   scripts/web.sh          build and serve
#   scripts/web.sh build    only build (the page is build/web/page/)
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-serve}" in
  serve | build) ;;
  *)
    echo "usage: web.sh [build]" >&2
    exit 2
    ;;
esac
scripts/deps.sh web
[ -f build/web/CMakeCache.txt ] || cmake --preset web >/dev/null
cmake --build --preset web --target quellix
[ "${1:-serve}" = build ] && exit 0
echo "Open the address below in a browser; Ctrl+C stops the server."
exec /usr/bin/python3 scripts/web-serve.py build/web/page --port "${PORT:-8000}"
