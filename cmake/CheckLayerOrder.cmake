# Fails when a product file includes a header of a folder above its own in
# the README's layer table.  Run at build time with SOURCE_DIR set and STAMP
# naming the file written on success, so that the build of every tree stops
# on a wrong include.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

drim_read_layers(${SOURCE_DIR} layers)
set(offenders)
foreach(layer IN LISTS layers)
    list(FIND layers ${layer} rank)
    drim_layer_files(${SOURCE_DIR} ${layer} files)
    foreach(file IN LISTS files)
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*" "\\1" target "${line}")
            list(FIND layers ${target} target_rank)
            if(target_rank GREATER rank)
                file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
                list(APPEND offenders "${name}: ${line} (${target}/ lies above ${layer}/)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "includes against the layer order of README.md:\n  ${text}")
endif()
file(WRITE ${STAMP} "${layers}\n")
