# The browser build's page (src/web/): quellix.js and its .wasm, the game's data and the
# fallback typeface preloaded with it (quellix.data), and the page's own files beside
# them in the page folder of the build, which scripts/web.sh serves.
quellix_layer(web quellix_shell quellix_media)

set(QUELLIX_PAGE_DIR ${CMAKE_BINARY_DIR}/page)
set(_quellix_page_sources ${PROJECT_SOURCE_DIR}/src/web/page)
set(_quellix_page_files index.html quellix-page.css quellix-page.js)
# Where the page's game finds them: an installed game's data folder, and the system's
# font folder (web/vtBrowserPlatform.h).
set(_quellix_page_data_dir /quellix/share/quellix)
set(_quellix_font /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)

add_executable(quellix src/web/main.cpp)
target_link_libraries(quellix PRIVATE quellix_web)
add_dependencies(quellix quellix_data)
set(_quellix_preload)
foreach(file ${QUELLIX_DATA_FILES})
  list(APPEND _quellix_preload
    "SHELL:--preload-file ${QUELLIX_RUN_DIR}/${file}@${_quellix_page_data_dir}/${file}")
endforeach()
target_link_options(quellix PRIVATE ${QUELLIX_EMSCRIPTEN_LINK_OPTIONS}
  ${_quellix_preload}
  "SHELL:--preload-file ${_quellix_font}@${_quellix_font}"
  "SHELL:--pre-js ${_quellix_page_sources}/quellix-files.js"
  "SHELL:--js-library ${_quellix_page_sources}/quellix-library.js"
  -lidbfs.js -sENVIRONMENT=web)
list(TRANSFORM QUELLIX_DATA_FILES PREPEND ${QUELLIX_RUN_DIR}/ OUTPUT_VARIABLE _quellix_page_data)
set_target_properties(quellix PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${QUELLIX_PAGE_DIR}
  SUFFIX .js
  LINK_DEPENDS "${_quellix_page_sources}/quellix-files.js;${_quellix_page_sources}/quellix-library.js;${_quellix_page_data}")

# The page's own files, copied beside quellix.js.
set(_quellix_page_copies)
foreach(file ${_quellix_page_files})
  add_custom_command(OUTPUT ${QUELLIX_PAGE_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_quellix_page_sources}/${file} ${QUELLIX_PAGE_DIR}/${file}
    DEPENDS ${_quellix_page_sources}/${file}
    VERBATIM)
  list(APPEND _quellix_page_copies ${QUELLIX_PAGE_DIR}/${file})
endforeach()
add_custom_target(quellix_page ALL DEPENDS ${_quellix_page_copies})
add_dependencies(quellix quellix_page)
