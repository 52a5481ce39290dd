# Installation: the two programs, the shipped data (read only by the game; each player's game
# folder is a copy of it), the desktop entry and the icon. Honours CMAKE_INSTALL_PREFIX (or
# `cmake --install --prefix`) and DESTDIR.
include(GNUInstallDirs)

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
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/teijinki.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/teijinki.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
