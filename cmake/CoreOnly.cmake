# The Qt-free core and the tests that need nothing else, for machines without
# Qt: the Windows cross build (scripts/cross-windows.sh) above all. GoogleTest
# comes from its sources when VELMORA_GTEST_SOURCE_DIR names them (Debian's
# googletest package puts them in /usr/src/googletest), else from the system.
# The JPEG export needs libjpeg: VELMORA_JPEG_EXPORT=OFF leaves it out.
set(VELMORA_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the tests")
option(VELMORA_JPEG_EXPORT "Build the JPEG export (needs libjpeg)" ON)
if(VELMORA_JPEG_EXPORT)
  find_package(JPEG REQUIRED)
endif()

include(cmake/VelmoraLevels.cmake)
add_subdirectory(core)
velmora_add_levels_check()

if(VELMORA_BUILD_TESTS)
  enable_testing()
  if(VELMORA_GTEST_SOURCE_DIR)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the same runtime as ours
    add_subdirectory(${VELMORA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
  set(core_tests test_palette test_text_lines test_bmp test_part_check test_room_file test_compose
                 test_mask_ops test_room_lint test_hostile_input test_picture_fit_dither)
  list(APPEND core_tests test_paint_tools test_paint_room)
  if(VELMORA_JPEG_EXPORT)
    list(APPEND core_tests test_picture_export)
  endif()
  foreach(name IN LISTS core_tests)
    add_executable(${name} tests/${name}.cpp)
    target_link_libraries(${name} PRIVATE velmora_core GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
  endforeach()
  # The part check's message lines are a table of plain C++ in the QtCore
  # library; the test takes the table alone.
  target_sources(test_part_check PRIVATE common/message_lines.cpp)
  if(VELMORA_JPEG_EXPORT)
    # The reference encoder as the test program starts it (a Windows path in
    # the cross build, with forward slashes); empty skips the comparison.
    set(VELMORA_CJPEG_PROGRAM "" CACHE STRING "cjpeg for the JPEG export test")
    target_compile_definitions(test_picture_export PRIVATE VELMORA_CJPEG="${VELMORA_CJPEG_PROGRAM}"
      VELMORA_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}/test_output")
  endif()
endif()
