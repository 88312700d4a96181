# A build that tests the programs of another build (SORBEL_SHIPPED_BUILD):
# they are brought up to date by that build's own rules and known here by
# the names they have there.
if(NOT EXISTS ${SORBEL_SHIPPED_BUILD}/CMakeCache.txt)
  message(FATAL_ERROR "${SORBEL_SHIPPED_BUILD} is not configured: configure the build whose programs this one tests first")
endif()
set(shipped_programs Sorbel Sorbel-no-sse2)
set(shipped_files ${SORBEL_SHIPPED_BUILD}/app/win32/Sorbel.exe
                  ${SORBEL_SHIPPED_BUILD}/tests/win32/Sorbel-no-sse2.exe)
add_custom_target(shipped_programs ALL
                  COMMAND ${CMAKE_COMMAND} --build ${SORBEL_SHIPPED_BUILD} --target ${shipped_programs}
                  BYPRODUCTS ${shipped_files}
                  COMMENT "Building the programs under test in ${SORBEL_SHIPPED_BUILD}"
                  USES_TERMINAL)
foreach(program file IN ZIP_LISTS shipped_programs shipped_files)
  add_executable(${program} IMPORTED GLOBAL)
  set_target_properties(${program} PROPERTIES IMPORTED_LOCATION ${file})
endforeach()
