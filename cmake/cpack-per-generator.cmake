# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE): the installer
# is velmora-<version>-win32-setup.exe beside velmora-<version>-win32.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()
