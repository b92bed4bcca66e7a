# The browser build: Debian's Emscripten toolchain file used directly (emcmake's test
# emulator flag makes Node 20 fail every test), and the SDL2 family built from Debian's
# source packages by scripts/port-deps.sh.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(QUELLIX_PORT web)
include(${CMAKE_CURRENT_LIST_DIR}/port-prefix.cmake)
# Linking runs Emscripten's JavaScript tools under node; a node other than Debian's finds
# Debian's modules (acorn) only through NODE_PATH.
if(DEFINED ENV{NODE_PATH})
  set(_quellix_node_path $ENV{NODE_PATH})
else()
  set(_quellix_node_path /usr/share/nodejs)
endif()
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${_quellix_node_path})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${_quellix_node_path})
