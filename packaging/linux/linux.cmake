# The Qt program with its desktop entry, icons and AppStream metainfo; the .deb.
install(TARGETS sorbel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(desktop ${CMAKE_CURRENT_BINARY_DIR}/${SORBEL_APP_ID}.desktop)
set(metainfo ${CMAKE_CURRENT_BINARY_DIR}/${SORBEL_APP_ID}.metainfo.xml)
configure_file(linux/sorbel.desktop.in ${desktop} @ONLY)
# Writes the metainfo to OUT, with a screenshot block when URL is not empty.
function(sorbel_metainfo out url)
  set(SORBEL_SCREENSHOTS "")
  if(url)
    set(SORBEL_SCREENSHOTS "<screenshots>
    <screenshot type=\"default\">
      <caption>The calculator window</caption>
      <caption xml:lang=\"zh-CN\">计算器窗口</caption>
      <image>${url}</image>
    </screenshot>
  </screenshots>")
  endif()
  configure_file(linux/sorbel.metainfo.xml.in ${out} @ONLY)
endfunction()
sorbel_metainfo(${metainfo} "${SORBEL_SCREENSHOT_URL}")
install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licence as Debian wants it: machine-readable, "Expat" being its name
# for this MIT text. Holder and text come from LICENSE, so the two cannot part.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(Permission .*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: no 'Copyright (c) ...' line followed by the permission notice")
endif()
set(SORBEL_COPYRIGHT "${CMAKE_MATCH_1}")
# Continuation lines start with a space; an empty one is written " .".
string(REPLACE "\n\n" "\n.\n" body "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " body "${body}")
set(SORBEL_LICENSE_BODY " ${body}")
set(copyright ${CMAKE_CURRENT_BINARY_DIR}/copyright)
configure_file(linux/copyright.in ${copyright} @ONLY)
install(FILES ${copyright} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/sorbel)

foreach(size 32 48 256)
  install(FILES ${SORBEL_ICON_DIR}/sorbel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${SORBEL_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorbel)
set(CPACK_PACKAGE_VERSION ${SORBEL_VERSION_SHORT})
set(CPACK_PACKAGE_CONTACT ${SORBEL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SORBEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every caption is Chinese: without a CJK font the window shows only boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei | fonts-arphic-uming")
# Qt's own texts (the message boxes' OK button) in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${SORBEL_SUMMARY_EN}
Sorbel computes the mean crystallite (grain) size from one peak of an
X-ray diffraction pattern: type the peak's full width at half maximum and
its angle 2θ in degrees, pick the X-ray tube's anode (Cu, Cr, Fe, Co) or
type a wavelength, and the window shows the size in nm.
.
The window's texts are in Simplified Chinese.")
include(CPack)

if(SORBEL_TESTS)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  add_test(NAME packaging.desktop_entry COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop})
  add_test(NAME packaging.metainfo COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo})
  # The screenshot block is only there once its address is known; check its form now.
  set(with_shot ${CMAKE_CURRENT_BINARY_DIR}/screenshot-check/${SORBEL_APP_ID}.metainfo.xml)
  sorbel_metainfo(${with_shot} "https://sorbel.invalid/screenshots/frmXRD.png")
  add_test(NAME packaging.metainfo_screenshot COMMAND ${APPSTREAMCLI} validate --no-net ${with_shot})
  set_tests_properties(packaging.metainfo packaging.metainfo_screenshot PROPERTIES FAIL_REGULAR_EXPRESSION "(^|\n)[EW]: ")
  add_test(NAME packaging.deb
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check_deb.sh ${CMAKE_BINARY_DIR} ${SORBEL_APP_ID}
                   ${SORBEL_VERSION_SHORT} ${PROJECT_SOURCE_DIR}/LICENSE)
  set_tests_properties(packaging.deb PROPERTIES TIMEOUT 300)
  set_tests_properties(packaging.desktop_entry packaging.metainfo packaging.metainfo_screenshot
                       packaging.deb PROPERTIES LABELS package)
endif()
