# Windows and macOS: one program folder with the programs, their data files
# and the Qt runtime that Qt's own deploy script gathers, packed as a ZIP. On
# macOS the program folder is the editor's bundle (Contents/MacOS), and
# velmora-pac lives there too, sharing the bundle's Qt frameworks.
include(GNUInstallDirs)

if(APPLE AND VELMORA_BUILD_GUI)
  set(program_dir velmora.app/Contents/MacOS)
  install(TARGETS velmora BUNDLE DESTINATION .)
  set_target_properties(velmora-pac PROPERTIES INSTALL_RPATH "@executable_path/../Frameworks")
else()
  # Qt's Windows deploy script puts the runtime beside the programs in bin.
  set(program_dir ${CMAKE_INSTALL_BINDIR})
  if(VELMORA_BUILD_GUI)
    install(TARGETS velmora RUNTIME DESTINATION ${program_dir})
  endif()
endif()
install(TARGETS velmora-pac RUNTIME DESTINATION ${program_dir})
install(DIRECTORY ${VELMORA_DATA_DIR}/ DESTINATION ${program_dir} PATTERN icons EXCLUDE)

# The deploy script of the editor brings QtCore too, which is all velmora-pac
# needs; without the editor, velmora-pac's own (Windows only: macOS deploys
# bundles).
if(VELMORA_BUILD_GUI)
  set(deployed velmora)
elseif(WIN32)
  set(deployed velmora-pac)
endif()
if(deployed)
  if(Qt6_VERSION VERSION_GREATER_EQUAL 6.5)
    qt_generate_deploy_app_script(TARGET ${deployed} OUTPUT_SCRIPT deploy_script NO_UNSUPPORTED_PLATFORM_ERROR)
  else()
    qt_generate_deploy_app_script(TARGET ${deployed} FILENAME_VARIABLE deploy_script NO_UNSUPPORTED_PLATFORM_ERROR)
  endif()
  install(SCRIPT ${deploy_script})
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for room files (.pac): parts, masks, preview and export")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
include(CPack)
