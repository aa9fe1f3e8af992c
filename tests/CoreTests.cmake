# The tests of the Qt-free core: GoogleTest programs tests/NAME.cpp on the
# core alone. The full build and the core-only one (cmake/CoreOnly.cmake, the
# Windows cross build) both build this one list: a new core test is one line.
set(VELMORA_CORE_TESTS
  test_palette
  test_text_lines
  test_bmp
  test_bmp_direct_colour
  test_part_check
  test_room_file
  test_compose
  test_picture_export
  test_mask_ops
  test_picture_convert
  test_room_lint
  test_hostile_input
  test_picture_fit_dither
  test_paint_tools
  test_paint_room
  test_room_scene
  test_paint_loop
  test_paint_transform
)

# Makes every test of the list. The caller has found GoogleTest and set
# VELMORA_CJPEG_PROGRAM (the reference encoder, or empty); the JPEG export
# test is left out when the build leaves the export out.
function(velmora_add_core_tests)
  foreach(name IN LISTS VELMORA_CORE_TESTS)
    if(name STREQUAL "test_picture_export" AND DEFINED VELMORA_JPEG_EXPORT AND NOT VELMORA_JPEG_EXPORT)
      continue()
    endif()
    add_executable(${name} ${CMAKE_SOURCE_DIR}/tests/${name}.cpp)
    target_link_libraries(${name} PRIVATE velmora_core GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
  endforeach()
  # The part check's message lines are a table of plain C++ in the QtCore
  # library; the test takes the table alone.
  target_sources(test_part_check PRIVATE ${CMAKE_SOURCE_DIR}/common/message_lines.cpp)
  if(TARGET test_picture_export)
    # The reference encoder as the test program starts it; empty skips the comparison.
    target_compile_definitions(test_picture_export PRIVATE VELMORA_CJPEG="${VELMORA_CJPEG_PROGRAM}"
      VELMORA_TEST_OUTPUT_DIR="${CMAKE_CURRENT_BINARY_DIR}/test_output")
  endif()
endfunction()
