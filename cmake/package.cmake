# A release of the game: the version the programs print and the Debian package `make package`
# builds (cpack). The version is project()'s; everything that names it is generated from it.

configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${CMAKE_BINARY_DIR}/generated/app/version.h @ONLY)
foreach(program IN ITEMS teijinki teijinki-sim)
  if(TARGET ${program})
    target_include_directories(${program} PRIVATE ${CMAKE_BINARY_DIR}/generated)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME teijinki)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The teijinki developers <teijinki@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based grand strategy at the end of the Han dynasty")
set(CPACK_PACKAGE_DESCRIPTION
    "鼎陣記・治世巻: lead a warlord of late Han China through alliances, intrigue and war.
Each year every warlord picks one of the strategies offered to its alliance; then all of them
are carried out together and the year is told as prose, page by page, with portraits.
Six scenarios; several players may share one machine. The game is in Japanese.
.
teijinki-sim plays whole games in the terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/teijinki/teijinki)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the binaries (dpkg-shlibdeps); what the programs only open at run time
# is named here: a General MIDI soundfont for the music, a font with Japanese letters for the
# screens.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-noto-cjk | fonts-japanese-mincho")
include(CPack)

if(TEIJINKI_BUILD_TESTS)
  # The shipped desktop and AppStream entries as the validators see them.
  if(TARGET teijinki)
    add_test(NAME desktop_entry_valid
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/validate.sh desktop-file-validate
                     ${CMAKE_SOURCE_DIR}/cmake/teijinki.desktop)
    add_test(NAME appstream_entry_valid
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/validate.sh appstreamcli validate --no-net --pedantic
                     ${TEIJINKI_METAINFO})
    set_tests_properties(desktop_entry_valid appstream_entry_valid PROPERTIES SKIP_RETURN_CODE 77)
  endif()
  if(TARGET teijinki AND TARGET teijinki-sim)
    add_test(NAME command_line_without_display
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/command_line_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    # Packs the build with cpack, then unpacks and plays the package away from the source tree.
    add_test(NAME debian_package
             COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
  endif()
  add_test(NAME readme_version
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/readme_version_test.sh ${CMAKE_SOURCE_DIR}/README.md ${PROJECT_VERSION})
endif()
