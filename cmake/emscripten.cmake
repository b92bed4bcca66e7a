# The browser build: Debian's Emscripten toolchain file used directly (emcmake's test
# emulator flag makes Node 20 fail every test), and the SDL2 family built from Debian's
# source packages by scripts/port-deps.sh.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(QUELLIX_PORT web)
include(${CMAKE_CURRENT_LIST_DIR}/port-prefix.cmake)
