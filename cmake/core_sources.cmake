# The rules library's sources: every .cpp under src/ except src/ui (every file that uses Qt) and
# src/app (the two programs' main functions). The folder decides, never the file name.
file(GLOB_RECURSE CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../src/*.cpp)
list(FILTER CORE_SOURCES EXCLUDE REGEX "/src/(ui|app)/")
