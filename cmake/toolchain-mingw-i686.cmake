# Cross build for 32-bit Windows with Debian's mingw-w64 compilers (the posix
# thread model, so std::thread works), tested under Wine.
#
#   cmake --preset windows && cmake --build --preset windows
#   scripts/wine-tests.sh      # builds, then runs ctest under Xvfb + Wine
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(VELMORA_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_PREFIX}-windres)
set(CMAKE_AR ${VELMORA_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VELMORA_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static: the posix compilers would otherwise make every .exe need
# libwinpthread-1.dll, libstdc++-6.dll and libgcc_s_dw2-1.dll beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the test executables through Wine; the wrapper expects the
# display and prefix that scripts/wine-tests.sh sets up.
cmake_path(SET VELMORA_WINE_RUN NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE_RUN})
