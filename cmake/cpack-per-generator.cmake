# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE): the zip
# unpacks into one folder named like itself; the installer is
# velmora-<version>-win32-setup.exe beside it.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()
