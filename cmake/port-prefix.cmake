# The prefix holding a port's libraries (QUELLIX_PORT: web or windows), built by
# scripts/port-deps.sh into its cache, and built there on the first configure when it
# is missing. The libraries are searched for there only.
if(NOT QUELLIX_PORT_PREFIX)
  if(DEFINED ENV{QUELLIX_PORTS_CACHE})
    set(_quellix_cache $ENV{QUELLIX_PORTS_CACHE})
  else()
    set(_quellix_cache $ENV{HOME}/.cache/quellix-ports)
  endif()
  if(NOT EXISTS ${_quellix_cache}/${QUELLIX_PORT}/.complete)
    message(STATUS "Building the ${QUELLIX_PORT} libraries (scripts/port-deps.sh ${QUELLIX_PORT})")
    execute_process(
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/port-deps.sh ${QUELLIX_PORT}
      RESULT_VARIABLE _quellix_deps)
    if(NOT _quellix_deps EQUAL 0)
      message(FATAL_ERROR "scripts/port-deps.sh ${QUELLIX_PORT} failed")
    endif()
  endif()
  get_filename_component(QUELLIX_PORT_PREFIX ${_quellix_cache}/${QUELLIX_PORT} REALPATH)
  set(QUELLIX_PORT_PREFIX ${QUELLIX_PORT_PREFIX} CACHE PATH "The ${QUELLIX_PORT} libraries")
endif()
# try_compile projects read this file again: they take the prefix as it is.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUELLIX_PORT_PREFIX)
list(PREPEND CMAKE_FIND_ROOT_PATH ${QUELLIX_PORT_PREFIX})
list(PREPEND CMAKE_PREFIX_PATH ${QUELLIX_PORT_PREFIX})
