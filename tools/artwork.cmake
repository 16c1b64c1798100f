# The artwork library's files, shared by the native build (tools/) and the
# Windows build, which compiles the generators for the build machine
# (resources/).
set(VELMORA_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VELMORA_ARTWORK_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/artwork/app_icon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/bmp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/font.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/ico.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/icon_art.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/image.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/palette.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/png.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/raster.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/schematic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/artwork/write_file.cpp)
set(VELMORA_ARTWORK_HEADERS
    ${CMAKE_CURRENT_LIST_DIR}/artwork/app_icon.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/bmp.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/font.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/ico.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/icon_art.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/image.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/palette.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/png.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/raster.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/schematic.h
    ${CMAKE_CURRENT_LIST_DIR}/artwork/write_file.h)
set(VELMORA_GEN_SCHEMATIC_MAIN ${CMAKE_CURRENT_LIST_DIR}/gen_schematic.cpp)
set(VELMORA_GEN_ICON_MAIN ${CMAKE_CURRENT_LIST_DIR}/gen_icon.cpp)
