# The SDL2 family of a port, static, from the prefix scripts/port-deps.sh filled
# (cmake/port-prefix.cmake): the same target names as the Debian packages give.

# SDL2_image built with its own PNG decoder still asks for libpng's target.
if(NOT TARGET PNG::PNG)
  add_library(PNG::PNG INTERFACE IMPORTED)
endif()

find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_image REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(Freetype REQUIRED)
# HarfBuzz's static library, which SDL2_ttf's asks for, links the threads target.
find_package(Threads REQUIRED)
find_package(SDL2_ttf REQUIRED CONFIG)

foreach(library SDL2 SDL2_image SDL2_mixer SDL2_ttf)
  if(NOT TARGET ${library}::${library})
    add_library(${library}::${library} INTERFACE IMPORTED)
    target_link_libraries(${library}::${library} INTERFACE ${library}::${library}-static)
  endif()
endforeach()

if(EMSCRIPTEN)
  # The game reports its failures with exceptions and catches them; Emscripten only
  # catches them when compiled and linked for it. WebAssembly's own exceptions cost
  # nothing until one is thrown (Emscripten's older JavaScript ones route every call
  # that may throw through JavaScript, which took a third of the simulator's time).
  add_compile_options(-fwasm-exceptions)
  add_link_options(-fwasm-exceptions)
  # SDL2 built outside Emscripten's ports needs these library functions linked in, or the
  # program dies when sound starts; CMake would mangle the '$', hence a response file.
  set(QUELLIX_EMSCRIPTEN_FUNCTIONS ${CMAKE_BINARY_DIR}/emscripten-functions.txt)
  file(WRITE ${QUELLIX_EMSCRIPTEN_FUNCTIONS} "$autoResumeAudioContext\n$dynCall\n")
  set(QUELLIX_EMSCRIPTEN_LINK_OPTIONS
    "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${QUELLIX_EMSCRIPTEN_FUNCTIONS}" -sALLOW_MEMORY_GROWTH=1)
  # Programs for Node: the real file system, the module compiled before main runs, and
  # main's return value as the exit status.
  set(QUELLIX_NODE_LINK_OPTIONS ${QUELLIX_EMSCRIPTEN_LINK_OPTIONS}
    -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
  # Under Node: the simulator and the golden replays.
  set(QUELLIX_PORT_TEST_DIRS sim)
  set(QUELLIX_PORT_TEST_FILTER "GoldenReplays.*:SimGame*")
elseif(WIN32)
  # Linked statically: the programs need only Windows' own libraries.
  add_link_options(-static)
  # windows.h without min and max macros or its rarely used parts; the C library's
  # localtime_r.
  add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _POSIX_THREAD_SAFE_FUNCTIONS=200112L)
  # Programs of the build (the tests, their discovery) run under Wine in a prefix of the
  # build tree, booted with its server kept up by the first of them, or by the tests'
  # setup fixture "wine" (tests/CMakeLists.txt).
  if(QUELLIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
  endif()
  # Tests that cannot run under Wine, each with its reason: those of tests/tools/ (left out
  # of the list) and PackTool.* test the data tools or run quellix-pack, which are built
  # for this machine only.
  set(QUELLIX_PORT_TEST_DIRS base config graphics services engine movement game shell media sim)
  set(QUELLIX_PORT_TEST_FILTER "*-PackTool.*")
  set(QUELLIX_PORT_TEST_PROPERTIES FIXTURES_REQUIRED wine)
endif()
