# Fails when code of the pure layers reaches Windows: a system header of
# Windows, or a header of platform/, the Win32 layer.  Run as a test of the
# native tree with PURE_FILES set to the sources of drim_core, to which the
# headers beside them and every file of the pure folders are added.
cmake_minimum_required(VERSION 3.25)

set(files)
foreach(source IN LISTS PURE_FILES)
    list(APPEND files ${source})
    string(REGEX REPLACE "\\.cpp$" ".h" header ${source})
    if(EXISTS ${header})
        list(APPEND files ${header})
    endif()
endforeach()
foreach(folder IN ITEMS base text program)
    file(GLOB folder_files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND files ${folder_files})
endforeach()
list(REMOVE_DUPLICATES files)

set(offenders)
foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "<(windows|winbase|winuser|winreg|shellapi|ddeml|commctrl|winnetwk)\\.h>"
            OR line MATCHES "\"platform/")
            file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
            list(APPEND offenders "${name}: ${line}")
        endif()
    endforeach()
endforeach()

list(LENGTH files count)
if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "pure code includes Windows:\n  ${text}")
endif()
message(STATUS "${count} files of the pure layers include nothing of Windows")
