# The cross build finds only packages under the mingw-w64 root, yet Eigen,
# nlohmann-json and CLI11 are header-only and Debian installs them once, for
# the build machine. Their configs would put all of /usr/include on the cross
# compiler's path, where glibc's headers would shadow mingw-w64's; so each
# gets a target whose include folder holds that package's headers and nothing
# else, offered through find_package's redirects so that the directories
# that use them call find_package as in the native build.
#
#   include(cmake/host-header-packages.cmake)   # before analysis/ and cli/
#   find_package(CLI11 CONFIG)                   # -> CLI11::CLI11 as natively
set(VELMORA_HOST_INCLUDE /usr/include CACHE PATH "Include folder of the build machine's header-only packages")
set(VELMORA_HOST_CMAKE /usr/share CACHE PATH "Folder holding the host packages' cmake/ and eigen3/cmake/")

# name: find_package's name; target: the imported target; version_file: the
# host package's own; then the folders under VELMORA_HOST_INCLUDE to offer,
# each under its last name (eigen3/Eigen as Eigen).
function(velmora_host_header_package name target version_file)
    set(staged ${CMAKE_BINARY_DIR}/host-headers/${name})
    file(MAKE_DIRECTORY ${staged})
    foreach(headers IN LISTS ARGN)
        if(NOT EXISTS ${VELMORA_HOST_INCLUDE}/${headers})
            message(FATAL_ERROR "${name}: ${VELMORA_HOST_INCLUDE}/${headers} is missing "
                                "(scripts/install-deps.sh installs it)")
        endif()
        cmake_path(GET headers FILENAME link)
        file(CREATE_LINK ${VELMORA_HOST_INCLUDE}/${headers} ${staged}/${link} SYMBOLIC)
    endforeach()
    string(TOLOWER ${name} file_name)
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${file_name}-config.cmake
         "if(NOT TARGET ${target})\n"
         "    add_library(${target} INTERFACE IMPORTED)\n"
         "    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${staged}\")\n"
         "endif()\n")
    # The host's version file judges the version; its word on pointer size
    # means nothing for headers.
    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${file_name}-config-version.cmake
         "include(\"${version_file}\")\n"
         "if(PACKAGE_VERSION_COMPATIBLE OR PACKAGE_VERSION_EXACT)\n"
         "    set(PACKAGE_VERSION_UNSUITABLE FALSE)\n"
         "endif()\n")
endfunction()

velmora_host_header_package(Eigen3 Eigen3::Eigen
    ${VELMORA_HOST_CMAKE}/eigen3/cmake/Eigen3ConfigVersion.cmake eigen3/Eigen eigen3/unsupported)
velmora_host_header_package(nlohmann_json nlohmann_json::nlohmann_json
    ${VELMORA_HOST_CMAKE}/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake nlohmann)
velmora_host_header_package(CLI11 CLI11::CLI11
    ${VELMORA_HOST_CMAKE}/cmake/CLI11/CLI11ConfigVersion.cmake CLI)
