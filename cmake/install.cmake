# Installation: the two programs, the shipped data (read only by the game; each player's game
# folder is a copy of it), the desktop entry, the AppStream entry, the icon in the hicolor sizes
# and the man pages. Honours CMAKE_INSTALL_PREFIX (or `cmake --install --prefix`) and DESTDIR;
# cmake/package.cmake packs the same files into a Debian package.
include(GNUInstallDirs)

# The day this version was released; the AppStream entry and the man pages carry it.
set(TEIJINKI_RELEASE_DATE 2026-12-08)
set(TEIJINKI_APPSTREAM_ID io.github.teijinki.teijinki)

if(TARGET teijinki)
  install(TARGETS teijinki RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET teijinki-sim)
  install(TARGETS teijinki-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The programs find the data at <bindir>/../share/teijinki/data, wherever the prefix lies.
# A game played in the source tree's data folder must not ship its working files or slots.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/teijinki/data
        PATTERN ".gitkeep" EXCLUDE
        REGEX "/ini/(busv|gunsv|Kunisv|Cmtsv|buimg|gunimg|Kuniimg|Cmtimg)\\.ini$" EXCLUDE
        REGEX "/ini/kodarn\\.(log|img)$" EXCLUDE
        REGEX "/save/[^/]+$" EXCLUDE)
# The save folder may be empty in the source tree; a game folder copied from the data gets one.
install(DIRECTORY DESTINATION ${CMAKE_INSTALL_DATADIR}/teijinki/data/save)

# The menu entry and the software centres' entry belong to the desktop program.
if(TARGET teijinki)
  install(FILES ${CMAKE_SOURCE_DIR}/cmake/teijinki.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(TEIJINKI_METAINFO ${CMAKE_BINARY_DIR}/${TEIJINKI_APPSTREAM_ID}.metainfo.xml)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/${TEIJINKI_APPSTREAM_ID}.metainfo.xml.in ${TEIJINKI_METAINFO} @ONLY)
  install(FILES ${TEIJINKI_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The icon in the hicolor sizes, scaled at build time from the one painted picture, so that
  # nothing but that picture is kept in the source tree.
  set(TEIJINKI_ICON_SIZES 16 24 32 48 64 128 256)
  set(icon_dir ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(icon_files)
  foreach(size IN LISTS TEIJINKI_ICON_SIZES)
    list(APPEND icon_files ${icon_dir}/${size}x${size}/apps/teijinki.png)
  endforeach()
  add_executable(teijinki-icon-sizes ${CMAKE_SOURCE_DIR}/tools/icon_sizes/main.cpp)
  target_link_libraries(teijinki-icon-sizes PRIVATE Qt6::Gui)
  add_custom_command(OUTPUT ${icon_files}
                     COMMAND teijinki-icon-sizes ${CMAKE_SOURCE_DIR}/data/icons/teijinki.png ${icon_dir} ${TEIJINKI_ICON_SIZES}
                     DEPENDS teijinki-icon-sizes ${CMAKE_SOURCE_DIR}/data/icons/teijinki.png
                     COMMENT "Scaling the program icon to the hicolor sizes")
  add_custom_target(teijinki_icons ALL DEPENDS ${icon_files})
  install(DIRECTORY ${icon_dir} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The man pages carry the version and the release date; gzip -n keeps them byte for byte the
# same from one build to the next.
set(man_pages)
foreach(page IN ITEMS teijinki teijinki-sim)
  if(TARGET ${page})
    configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.6.in ${CMAKE_BINARY_DIR}/man/${page}.6 @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.6.gz
                       COMMAND gzip -9 -n -f -k ${CMAKE_BINARY_DIR}/man/${page}.6
                       DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.6
                       COMMENT "Compressing the man page ${page}(6)")
    list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.6.gz)
  endif()
endforeach()
if(man_pages)
  add_custom_target(teijinki_man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
