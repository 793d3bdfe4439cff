# GoogleTest for the Windows tree, built from the sources Debian installs.
if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_link_options(gtest PUBLIC -static)
endif()

# A program that skipped a case and failed none says so with its exit code
# (tests/probe/SkipAwareMain.cpp), and ctest reports the test as not run.
function(drim_skips_reported test)
    set_tests_properties(${test} PROPERTIES SKIP_RETURN_CODE ${DRIM_SKIPPED_EXIT_CODE})
endfunction()

# Every *_test.cpp file of a folder becomes a test program of its own, and
# each program one ctest entry: every run boots a Wine prefix of its own, so
# running each test case as a process of its own would cost seconds apiece,
# while separate programs can run side by side in separate prefixes.
function(drim_windows_tests folder support_library)
    file(GLOB test_sources CONFIGURE_DEPENDS ${folder}/*_test.cpp)
    foreach(source IN LISTS test_sources)
        get_filename_component(name ${source} NAME_WE)
        get_filename_component(prefix ${folder} NAME)
        set(target ${prefix}_${name})
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE ${support_library} gtest skip_aware_main)
        drim_target_options(${target})
        add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
        drim_skips_reported(${target})
        set(drim_last_tests ${drim_last_tests} ${target})
    endforeach()
    set(drim_last_tests ${drim_last_tests} PARENT_SCOPE)
endfunction()
