# The desktop program: Qt screens over the rules library.
set(CMAKE_AUTOMOC ON)
find_package(Qt6 REQUIRED COMPONENTS Widgets Gui Charts Test)

# Every file under src/ui is the desktop side.
file(GLOB_RECURSE DESKTOP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/ui/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/*.h)

# Everything but main(), so the Qt tests drive the same screens.
add_library(teijinki_desktop STATIC ${DESKTOP_SOURCES})
target_link_libraries(teijinki_desktop PUBLIC teijinki_core Qt6::Widgets Qt6::Gui Qt6::Charts)
target_compile_definitions(teijinki_desktop PUBLIC TEIJINKI_DATA_DIR_BUILD="${CMAKE_SOURCE_DIR}/data"
                           TEIJINKI_INSTALL_DATADIR="${CMAKE_INSTALL_PREFIX}/share/teijinki/data")

file(GLOB desktop_main CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/desktop_*.cpp)
if(desktop_main)
  add_executable(teijinki ${desktop_main})
  target_link_libraries(teijinki PRIVATE teijinki_desktop)
endif()

# The screenshot tour of the real program on a laptop screen and on a large screen at 200 %:
# it fails when a window reaches outside the screen or could not shrink to fit one.
if(TEIJINKI_BUILD_TESTS AND desktop_main)
  add_test(NAME screenshot_tour_1366x768
           COMMAND teijinki --screenshots ${CMAKE_BINARY_DIR}/tour/1366x768 --screen 1366x768)
  add_test(NAME screenshot_tour_2560x1440_at_200
           COMMAND teijinki --screenshots ${CMAKE_BINARY_DIR}/tour/2560x1440 --screen 2560x1440 --scale 2)
endif()

# Qt tests: every tests/ui/<folder> is one GoogleTest program that runs on the offscreen platform
# (its own main creates the QApplication).
if(TEIJINKI_BUILD_TESTS)
  file(GLOB ui_test_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/ui/*)
  foreach(dir IN LISTS ui_test_dirs)
    if(IS_DIRECTORY ${dir})
      get_filename_component(name ${dir} NAME)
      file(GLOB test_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
      if(test_sources)
        add_executable(test_ui_${name} ${test_sources} ${CMAKE_SOURCE_DIR}/tests/ui/qt_test_main.cpp)
        target_link_libraries(test_ui_${name} PRIVATE teijinki_desktop Qt6::Test GTest::gtest)
        target_include_directories(test_ui_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
        target_compile_definitions(test_ui_${name} PRIVATE TEIJINKI_DATA_DIR="${CMAKE_SOURCE_DIR}/data"
                                   TEIJINKI_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
        if(name STREQUAL "xvfb")
          # Real key presses and window placement need a real X server: the script starts Xvfb,
          # runs these tests on it and plays the real program on a small and a scaled screen.
          add_test(NAME ui_under_xvfb
                   COMMAND sh ${dir}/run_under_xvfb.sh $<TARGET_FILE:test_ui_${name}> $<TARGET_FILE:teijinki>)
          set_tests_properties(ui_under_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
        else()
          gtest_discover_tests(test_ui_${name} DISCOVERY_TIMEOUT 60
                               PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
        endif()
      endif()
    endif()
  endforeach()
endif()
