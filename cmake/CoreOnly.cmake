# The Qt-free core and the tests that need nothing else, for machines without
# Qt: the Windows cross build (scripts/cross-windows.sh) above all. GoogleTest
# comes from its sources when VELMORA_GTEST_SOURCE_DIR names them (Debian's
# googletest package puts them in /usr/src/googletest), else from the system.
# The JPEG export needs libjpeg: VELMORA_JPEG_EXPORT=OFF leaves it out.
include(cmake/GoogleTest.cmake)
option(VELMORA_JPEG_EXPORT "Build the JPEG export (needs libjpeg)" ON)
if(VELMORA_JPEG_EXPORT)
  find_package(JPEG REQUIRED)
endif()

include(cmake/VelmoraLevels.cmake)
add_subdirectory(core)
velmora_add_levels_check()

if(VELMORA_BUILD_TESTS)
  enable_testing()
  velmora_find_gtest()
  # A Windows path in the cross build, with forward slashes.
  set(VELMORA_CJPEG_PROGRAM "" CACHE STRING "cjpeg for the JPEG export test")
  include(tests/CoreTests.cmake)
  velmora_add_core_tests()
endif()
