# Cross-compiling for 64-bit Windows with Debian's mingw-w64, posix thread model (the
# win32 one has no std::thread). Programs run under Wine where the build runs them
# (tests, the data generator's checks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUELLIX_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QUELLIX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELLIX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELLIX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELLIX_MINGW_TRIPLET} ${CMAKE_FIND_ROOT_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(QUELLIX_WINE wine)
if(QUELLIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUELLIX_WINE})
endif()

set(QUELLIX_PORT windows)
include(${CMAKE_CURRENT_LIST_DIR}/port-prefix.cmake)
