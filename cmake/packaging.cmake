# What a Windows user downloads, built by CPack from the release preset:
#   velmora-1.03-win32.zip         velmora.exe, velmora-calc.exe, README.txt
#   velmora-1.03-win32-setup.exe   the same files, a Start-menu entry and an
#                                  uninstaller (NSIS)
#
#   cmake --preset release && cmake --build --preset release && cpack --preset release
#
# The version is project(VERSION) as the programs show it, so the file names,
# the installer's pages and the window caption never disagree. The release
# preset optimises at -O2, the level the windows preset's tests run at (at
# -O3, GCC 12 also reports a false -Wrestrict inside std::string).
install(TARGETS velmora velmora-calc RUNTIME DESTINATION .)
# README.txt: Windows opens a .txt with a double click; the text is the same.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)

set(CPACK_PACKAGE_NAME "Velmora Designer")
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${VELMORA_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fourth-order low-pass filter design around one op-amp")
set(CPACK_PACKAGE_FILE_NAME velmora-${VELMORA_VERSION_TEXT}-win32)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmora Designer")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Velmora Designer")
set(CPACK_PACKAGE_EXECUTABLES velmora "Velmora Designer")
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_STRIP_FILES ON)

set(CPACK_NSIS_PACKAGE_NAME "Velmora Designer ${VELMORA_VERSION_TEXT}")
set(CPACK_NSIS_DISPLAY_NAME "Velmora Designer ${VELMORA_VERSION_TEXT}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME velmora.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/resources/appicon.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/resources/appicon.ico)
# What differs between the zip and the installer: cpack-per-generator.cmake.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-per-generator.cmake)
# Everything goes where the user points; nothing is added to PATH.
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# CPack's uninstaller removes the product's key but not the vendor's above
# it; these commands are the first it runs after removing the product's.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
# The values above reach CPack as written, quotes and backslashes included.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
