# The desktop program: Qt screens over the rules library.
set(CMAKE_AUTOMOC ON)
find_package(Qt6 REQUIRED COMPONENTS Widgets Gui Test)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(FLUIDSYNTH IMPORTED_TARGET fluidsynth)
endif()

set(DESKTOP_SOURCES)
file(GLOB ui_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/ui/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/*.h)
list(APPEND DESKTOP_SOURCES ${ui_sources})
foreach(sub IN LISTS TEIJINKI_SUBSYSTEMS)
  file(GLOB screen_sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${sub}/*_screen.cpp ${CMAKE_SOURCE_DIR}/src/${sub}/*_screen.h
       ${CMAKE_SOURCE_DIR}/src/${sub}/*_window.cpp ${CMAKE_SOURCE_DIR}/src/${sub}/*_window.h
       ${CMAKE_SOURCE_DIR}/src/${sub}/*_dialog.cpp ${CMAKE_SOURCE_DIR}/src/${sub}/*_dialog.h
       ${CMAKE_SOURCE_DIR}/src/${sub}/qt_*.cpp ${CMAKE_SOURCE_DIR}/src/${sub}/qt_*.h)
  list(APPEND DESKTOP_SOURCES ${screen_sources})
endforeach()
if(FLUIDSYNTH_FOUND)
  file(GLOB fs_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/media/fluidsynth_*.cpp)
  list(APPEND DESKTOP_SOURCES ${fs_sources})
endif()

# Everything but main(), so the Qt tests drive the same screens.
add_library(teijinki_desktop STATIC ${DESKTOP_SOURCES})
target_link_libraries(teijinki_desktop PUBLIC teijinki_core Qt6::Widgets Qt6::Gui)
target_compile_definitions(teijinki_desktop PUBLIC TEIJINKI_DATA_DIR_BUILD="${CMAKE_SOURCE_DIR}/data"
                           TEIJINKI_INSTALL_DATADIR="${CMAKE_INSTALL_PREFIX}/share/teijinki/data")
if(FLUIDSYNTH_FOUND)
  target_link_libraries(teijinki_desktop PUBLIC PkgConfig::FLUIDSYNTH)
  target_compile_definitions(teijinki_desktop PUBLIC TEIJINKI_HAVE_FLUIDSYNTH=1)
endif()

file(GLOB desktop_main CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/desktop_*.cpp)
if(desktop_main)
  add_executable(teijinki ${desktop_main})
  target_link_libraries(teijinki PRIVATE teijinki_desktop)
endif()

# Qt tests: every tests/ui*/ folder is one GoogleTest program that runs on the offscreen platform
# (its own main creates the QApplication).
if(TEIJINKI_BUILD_TESTS)
  file(GLOB ui_test_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/ui*)
  foreach(dir IN LISTS ui_test_dirs)
    if(IS_DIRECTORY ${dir})
      get_filename_component(name ${dir} NAME)
      file(GLOB test_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
      if(test_sources)
        add_executable(test_${name} ${test_sources} ${CMAKE_SOURCE_DIR}/tests/qt_test_main.cpp)
        target_link_libraries(test_${name} PRIVATE teijinki_desktop Qt6::Test GTest::gtest)
        target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
        target_compile_definitions(test_${name} PRIVATE TEIJINKI_DATA_DIR="${CMAKE_SOURCE_DIR}/data"
                                   TEIJINKI_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
        gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60
                             PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
      endif()
    endif()
  endforeach()
endif()
