# Every target of the project compiles with these settings.  Sources are
# UTF-8; every string literal is stored as Shift-JIS (code page 932), the
# only encoding the program speaks.
option(DRIM_SANITIZE "Build the native tree with AddressSanitizer and UBSan" ON)

# The fuzz tree is a third tree of its own: drim_core and the libFuzzer
# targets of tests/fuzz, built with clang, whose fuzzer runtime GCC lacks.
option(DRIM_FUZZ "Build the libFuzzer targets of the pure logic (clang only)" OFF)
if(DRIM_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DRIM_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

function(drim_target_options target)
    if(DRIM_FUZZ)
        # clang converts literals to UTF-8 only and rejects
        # -fexec-charset=CP932, so the fuzz tree's Japanese literals stay
        # UTF-8.  The fuzz properties are stated on bytes and hold for
        # either encoding of the few messages in the pure code.
        target_compile_options(${target} PRIVATE -finput-charset=UTF-8)
    else()
        target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
    endif()
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor
        -Wcast-align -Wformat=2 -Wimplicit-fallthrough
        # GCC 12 reports overlapping copies inside std::string's own inlined
        # code at -O2 and above (GCC bug 105329), not in ours.  clang does
        # not know the option, and -Werror makes that an error.
        $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
    if(WIN32)
        # ANSI entry points only: UNICODE stays undefined.
        target_compile_definitions(${target} PUBLIC
            STRICT _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
        target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++)
    elseif(DRIM_FUZZ)
        # In place of DRIM_SANITIZE's flags, not in addition to them.
        # Coverage for libFuzzer without its main(): each fuzz target links
        # the fuzzer runtime itself.
        target_compile_options(${target} PRIVATE
            -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
            -fno-sanitize-recover=undefined)
    elseif(DRIM_SANITIZE)
        target_compile_options(${target} PUBLIC
            -fsanitize=address,undefined -fno-omit-frame-pointer
            -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
