# Two builds of one commit in two folders give the same bytes.
# No folder names in the objects (debug information, __FILE__): paths are
# written relative to the source tree, as they are in it, so that a debugger
# started at its top still finds every file. The build tree usually lies
# inside the source tree, so its map comes last: the last matching map wins.
# windres is left out: it writes no paths and takes no such option.
file(RELATIVE_PATH sorbel_build_rel ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
if(sorbel_build_rel STREQUAL "")
  set(sorbel_build_rel .)
endif()
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=${sorbel_build_rel}>")
if(WIN32)
  # No link time in the PE header (the resource directory's stamps are 0 already).
  add_link_options(-Wl,--no-insert-timestamp)
endif()
