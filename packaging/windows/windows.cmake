# Sorbel.exe as a zip with a Chinese read-me and as an NSIS installer.
# The 32-bit build makes the shipped pair; the 64-bit one makes the same from
# the same script so that the installer can be run under wine64 in the tests.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
find_program(MAKENSIS makensis REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(arch win64)
  set(SORBEL_NSIS_TARGET amd64-unicode)
else()
  set(arch win32)
  set(SORBEL_NSIS_TARGET x86-unicode)
endif()
set(base Sorbel-${SORBEL_VERSION_SHORT})
set(zip ${CMAKE_CURRENT_BINARY_DIR}/${base}-${arch}.zip)
set(SORBEL_INSTALLER ${CMAKE_CURRENT_BINARY_DIR}/${base}-${arch}-setup.exe)
set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)
set(SORBEL_STAGED_EXE ${stage}/${base}/Sorbel.exe)
set(SORBEL_STAGED_LICENSE ${stage}/${base}/LICENSE.txt)

# Notepad recognises UTF-8 by its BOM (kept in the source) and wants CRLF.
set(readme ${CMAKE_CURRENT_BINARY_DIR}/说明.txt)
configure_file(windows/readme-zh.txt.in ${readme} @ONLY NEWLINE_STYLE CRLF)
set(SORBEL_LICENSE_TXT ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${SORBEL_LICENSE_TXT} @ONLY NEWLINE_STYLE CRLF)
configure_file(windows/sorbel.nsi.in ${CMAKE_CURRENT_BINARY_DIR}/sorbel.nsi @ONLY)

install(TARGETS Sorbel RUNTIME DESTINATION .)
install(FILES ${readme} ${SORBEL_LICENSE_TXT} DESTINATION .)

# Both packages carry the time SOURCE_DATE_EPOCH names when they are made
# (release.sh sets it to the commit's): a change of it alone makes them again.
set(epoch_stamp ${CMAKE_CURRENT_BINARY_DIR}/source_date_epoch.txt)
add_custom_target(sorbel_source_date_epoch
  COMMAND ${CMAKE_COMMAND} -DOUT=${epoch_stamp} -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/epoch.cmake
  BYPRODUCTS ${epoch_stamp})

# The shipped file carries no debug information; its code is the tested one.
# strip writes the PE header anew with the time SOURCE_DATE_EPOCH names, or
# the clock's: 0 keeps it as the linker wrote it (-Wl,--no-insert-timestamp).
add_custom_command(
  OUTPUT ${zip} ${SORBEL_STAGED_EXE} ${SORBEL_STAGED_LICENSE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${base}
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_STRIP} -o ${SORBEL_STAGED_EXE} $<TARGET_FILE:Sorbel>
  COMMAND ${CMAKE_COMMAND} -E copy ${readme} ${SORBEL_LICENSE_TXT} ${stage}/${base}/
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/windows/pack_zip.py ${zip} ${stage}/${base}
  DEPENDS Sorbel ${readme} ${SORBEL_LICENSE_TXT} ${epoch_stamp} ${CMAKE_CURRENT_SOURCE_DIR}/windows/pack_zip.py
  COMMENT "Packing ${base}-${arch}.zip")
add_custom_command(
  OUTPUT ${SORBEL_INSTALLER}
  # makensis crashes on the Chinese texts under LC_ALL=C.
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${CMAKE_CURRENT_BINARY_DIR}/sorbel.nsi
  DEPENDS ${SORBEL_STAGED_EXE} ${SORBEL_STAGED_LICENSE} ${SORBEL_LICENSE_TXT} ${SORBEL_ICON_ICO}
          ${CMAKE_CURRENT_BINARY_DIR}/sorbel.nsi ${epoch_stamp}
  COMMENT "Building the installer ${base}-${arch}-setup.exe")
add_custom_target(windows_packages ALL DEPENDS ${zip} ${SORBEL_INSTALLER})
add_dependencies(windows_packages sorbel_icons)

if(SORBEL_TESTS)
  add_test(NAME packaging.zip
           COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_zip.py ${zip} ${base} ${arch}
                   ${SORBEL_VERSION_SHORT} $<TARGET_FILE:Sorbel> ${SORBEL_INSTALLER} ${PROJECT_SOURCE_DIR}/LICENSE)
  set_tests_properties(packaging.zip PROPERTIES LABELS package)
  if(arch STREQUAL win64)
    add_test(NAME packaging.installer
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_installer.sh ${SORBEL_INSTALLER} ${SORBEL_STAGED_EXE}
                     ${SORBEL_VERSION_SHORT} ${SORBEL_PUBLISHER} ${SORBEL_LICENSE_TXT})
    set_tests_properties(packaging.installer PROPERTIES TIMEOUT 300 LABELS "package;wine")
  endif()
endif()
