# GoogleTest for the Windows tree, built from the sources Debian installs.
if(NOT TARGET gtest)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_link_options(gtest PUBLIC -static)
endif()

# One ctest entry per Windows test program: each run boots a Wine prefix of
# its own, so running every test case as its own process would cost seconds
# apiece.  The gtest summary still names every failing case.
function(drim_windows_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE drim_win gtest gtest_main)
    drim_target_options(${name})
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
endfunction()
