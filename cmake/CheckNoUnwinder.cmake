# Fails when a program's link map shows the C++ library's exception
# machinery: its unwinder (libgcc_eh, `_Unwind_*`), its personality routine
# or its throw.  The product is built without exceptions and ends on a
# library failure through hooks of its own (app/FailFast.cpp); one library
# function that throws brings all of this back, and nothing else would
# show it.  Run after the link with MAP naming the map the linker wrote
# (-Wl,-Map) and PROGRAM the program's name.
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${MAP} offenders REGEX "libgcc_eh\\.a\\(|_Unwind_|__gxx_personality_|__cxa_throw|__cxa_begin_catch")
if(offenders)
    list(LENGTH offenders count)
    list(SUBLIST offenders 0 10 shown)
    list(TRANSFORM shown STRIP)
    list(JOIN shown "\n  " text)
    message(FATAL_ERROR "${PROGRAM} links the C++ library's unwinder (${count} lines of its link map):\n  ${text}")
endif()
message(STATUS "${PROGRAM} links none of the C++ library's unwinder")
