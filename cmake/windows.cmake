# The Windows part of the build: resources, the dialog layer and the GUI.
enable_language(RC)

# Adds a resource script to a target. windres sees only the .rc itself, so
# the files it pulls in (bitmaps, icons, manifests) are listed here to make a
# change of artwork rebuild the resource object.
#
#   velmora_target_resources(dialog_tests dialog_tests.rc schematic.bmp app.ico)
function(velmora_target_resources target rc_file)
    set(depends "")
    foreach(file IN LISTS ARGN)
        cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND depends ${file})
    endforeach()
    set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${depends}")
    target_sources(${target} PRIVATE ${rc_file})
endfunction()

add_subdirectory(ui/dialog)

# velmora.exe and its resources.
add_subdirectory(resources)
add_subdirectory(ui)
