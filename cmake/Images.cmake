# The program's pictures are text pixel maps in resources/, turned into
# .ico and .bmp files by tools/pixmap.py at build time and compiled into
# resources once; drim_add_images(target) links those resources into a
# program.  Include this file from the top-level CMakeLists.txt:
# enable_language() only works for the directory it runs in and those below.
include_guard(GLOBAL)

if(WIN32)
    enable_language(RC)
    find_program(DRIM_PYTHON3 python3 REQUIRED)

    set(drim_images_source ${PROJECT_SOURCE_DIR}/resources)
    set(drim_images_binary ${CMAKE_BINARY_DIR}/images)
    set(drim_pixmap_tool ${PROJECT_SOURCE_DIR}/tools/pixmap.py)
    file(MAKE_DIRECTORY ${drim_images_binary})

    set(drim_image_files)
    foreach(picture IN ITEMS MainIcon.ico TrayWindow.ico Image1.ico Image2.ico
            InfoSymbol.bmp QuestionSymbol.bmp
            ClosedFolder.bmp OpenFolder.bmp Drives.bmp)
        get_filename_component(name ${picture} NAME_WE)
        get_filename_component(kind ${picture} LAST_EXT)
        string(SUBSTRING ${kind} 1 -1 kind)
        add_custom_command(
            OUTPUT ${drim_images_binary}/${picture}
            COMMAND ${DRIM_PYTHON3} ${drim_pixmap_tool} ${kind}
                ${drim_images_source}/${name}.txt ${drim_images_binary}/${picture}
            DEPENDS ${drim_pixmap_tool} ${drim_images_source}/${name}.txt
            COMMENT "Drawing ${picture}"
            VERBATIM)
        list(APPEND drim_image_files ${drim_images_binary}/${picture})
    endforeach()

    # A library of its own, because the project's compile options are
    # compiler flags that windres does not understand.
    add_library(drim_images OBJECT ${drim_images_source}/Images.rc ${drim_image_files})
    target_include_directories(drim_images PRIVATE ${drim_images_source} ${drim_images_binary})
    # windres reports no dependencies, so neither a redrawn picture nor a
    # changed id would recompile the script without this.
    set_source_files_properties(${drim_images_source}/Images.rc PROPERTIES
        OBJECT_DEPENDS "${drim_image_files};${drim_images_source}/ImageIds.h")
endif()

function(drim_add_images target)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:drim_images>)
endfunction()
