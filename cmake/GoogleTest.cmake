# GoogleTest from its sources when VELMORA_GTEST_SOURCE_DIR names them (the
# Windows cross build: Debian ships no MinGW GoogleTest; its googletest
# package puts the sources in /usr/src/googletest), else the system's.
set(VELMORA_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the tests")
macro(velmora_find_gtest)
  if(VELMORA_GTEST_SOURCE_DIR)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the same runtime as ours
    add_subdirectory(${VELMORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()
