# Stand-ins for system DLLs whose Wine version cannot answer as Windows
# does (tests/standin/).  A test places one in its prefix's system folder
# (tests/e2e/StandInDll.h) and starts the program with
# WINEDLLOVERRIDES="NAME=n", so that a load by name gets the stand-in.

# Builds SOURCE as NAME.dll with undecorated exports, as the system's are,
# before the test program PROGRAM, and tells each of TESTS where the DLL
# lies, in DRIM_STANDIN_<NAME>.  Called where the tests are added.
function(drim_stand_in_dll name source)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "PROGRAM" "TESTS")
    set(target drim_standin_${name})
    if(NOT TARGET ${target})
        add_library(${target} SHARED ${source})
        set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX .dll
            RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/standin)
        target_link_options(${target} PRIVATE -Wl,--kill-at)
        drim_target_options(${target})
    endif()
    add_dependencies(${arg_PROGRAM} ${target})
    string(TOUPPER ${name} variable)
    foreach(test IN LISTS arg_TESTS)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
            "DRIM_STANDIN_${variable}=$<TARGET_FILE:${target}>")
    endforeach()
endfunction()
