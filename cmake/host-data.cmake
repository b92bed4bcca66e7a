# The game data of a cross build, made by quellix-assetgen built for the machine that
# builds: QUELLIX_HOST_ASSETGEN when given (a native build's generator), else a native
# build of the generator alone in host/ of this build tree.
set(QUELLIX_HOST_ASSETGEN "" CACHE FILEPATH
    "quellix-assetgen built for this machine; empty: built in host/ of this build tree")

file(GLOB_RECURSE _quellix_data_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
list(TRANSFORM QUELLIX_DATA_FILES PREPEND ${QUELLIX_RUN_DIR}/ OUTPUT_VARIABLE _quellix_data_outputs)

if(QUELLIX_HOST_ASSETGEN)
  set(_quellix_generator ${QUELLIX_HOST_ASSETGEN})
  set(_quellix_generator_target)
else()
  include(ExternalProject)
  set(_quellix_host_dir ${CMAKE_BINARY_DIR}/host)
  ExternalProject_Add(quellix_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${_quellix_host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DQUELLIX_TESTS=OFF -DQUELLIX_BENCH=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${_quellix_host_dir} --target quellix-assetgen
    BUILD_BYPRODUCTS ${_quellix_host_dir}/tools/assetgen/quellix-assetgen
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  set(_quellix_generator ${_quellix_host_dir}/tools/assetgen/quellix-assetgen)
  set(_quellix_generator_target quellix_host_tools)
endif()

add_custom_command(
  OUTPUT ${_quellix_data_outputs}
  COMMAND ${_quellix_generator} ${PROJECT_SOURCE_DIR}/data ${QUELLIX_RUN_DIR}
  BYPRODUCTS ${QUELLIX_RUN_DIR}/icons/quellix.ico
  DEPENDS ${_quellix_generator_target} ${_quellix_generator} ${_quellix_data_sources}
  COMMENT "Generating the game data with the generator of this machine"
  VERBATIM)
add_custom_target(quellix_data ALL DEPENDS ${_quellix_data_outputs})
