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

# The product links the C++ runtime of the compiler's win32 thread model:
# the program has one thread, and the posix model's runtime brings the
# winpthread library with it.  Only the runtime differs between the two
# models (the headers differ in the C++11 thread classes, which the product
# does not use), so the objects compiled for the tests serve both.  The
# product links with -no-pthread: a thread call that creeps in fails its link
# rather than bringing winpthread back.
if(WIN32 AND NOT DRIM_WIN32_THREADS_RUNTIME)
    string(REPLACE "-posix" "-win32" win32_threads_compiler "${CMAKE_CXX_COMPILER}")
    execute_process(COMMAND ${win32_threads_compiler} -print-file-name=libstdc++.a
        OUTPUT_VARIABLE win32_threads_library OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    get_filename_component(win32_threads_runtime "${win32_threads_library}" DIRECTORY)
    set(DRIM_WIN32_THREADS_RUNTIME "${win32_threads_runtime}" CACHE PATH
        "Folder of the C++ runtime of the win32 thread model, linked into the product")
endif()

# The Windows tree's release code is built small, and a second time as GCC's
# intermediate form, so that the shipped program and the floor it is measured
# against (drim_product_options) are optimised whole at their link while the
# test programs link the ordinary code, quickly.  The link options are usage
# requirements: they are chosen by the program being linked.

function(drim_release_options target)
    set(release "$<CONFIG:Release>")
    set(product "$<BOOL:$<TARGET_PROPERTY:DRIM_PRODUCT>>")
    # -fno-rtti: nothing asks a type at run time, and the type records came
    # to 8 KB of the program.
    target_compile_options(${target} PRIVATE
        "$<${release}:-Os;-ffunction-sections;-fdata-sections;-flto;-ffat-lto-objects>"
        "$<$<AND:${release},$<COMPILE_LANGUAGE:CXX>>:-fno-rtti>")
    # -flto-partition=one: GCC 12's LTO crashes on this code at -Os when it
    # splits the program.  Without --gc-sections the library's unused
    # functions stay, each in its own section.  Sections aligned to whole
    # pages in the file: Wine maps such an image from the file, but copies
    # one with the default 512-byte alignment into private memory, where the
    # whole program would count against the resident copy for as long as
    # it runs (about 20 KB of file for a quarter of a megabyte of memory).
    # GNU ld's default script keeps the small sections (.data, .bss, .CRT,
    # .tls, the start-up code's .eh_frame) apart, a page each: 20 KB of
    # file and 8 kB of private memory, within the spread of the floor.
    target_link_options(${target} PUBLIC
        "$<$<AND:${release},${product}>:-Os;-flto=auto;-flto-partition=one;-Wl,--gc-sections;-Wl,--file-alignment=0x1000;-s;-no-pthread;-L${DRIM_WIN32_THREADS_RUNTIME}>"
        "$<$<AND:${release},$<NOT:${product}>>:-fno-lto>")
endfunction()

# DLLs the product loads at their first call rather than at its start: a
# forwarded second start calls none of them, and the tray program never
# calls comctl32 and mpr (tooltips and network drive names belong to the
# setup window and the folder browser); ole32 only writes the items'
# shortcut files where the shell reads another code page.  Under Wine,
# comctl32 and mpr cost the tray program megabytes of private memory, and
# shell32 a good part of a forwarded start.  A delay-load import library
# per DLL, made by dlltool from every name its import library exports; GNU
# ld has no /DELAYLOAD.
set(DRIM_DELAY_LOADED comctl32 mpr ole32 shell32)
if(WIN32)
    set(delay_folder ${CMAKE_BINARY_DIR}/delayload)
    file(MAKE_DIRECTORY ${delay_folder})
    foreach(library IN LISTS DRIM_DELAY_LOADED)
        set(archive ${delay_folder}/lib${library}_delay.a)
        if(EXISTS ${archive})
            continue()
        endif()
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${library}.a
            OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_library}
            OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "__imp__[^\r\n ]+" imports "${symbols}")
        list(TRANSFORM imports REPLACE "^__imp__" "")
        list(REMOVE_DUPLICATES imports)
        string(TOUPPER ${library} dll)
        list(JOIN imports "\n" exports)
        file(WRITE ${delay_folder}/${library}.def "LIBRARY ${dll}.DLL\nEXPORTS\n${exports}\n")
        # -k: the DLL exports the names without their stdcall suffix.
        execute_process(COMMAND ${CMAKE_DLLTOOL} -k --input-def ${delay_folder}/${library}.def
            --output-delaylib ${archive} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()

# The shipped program, and the floor programs that are built like it.
function(drim_product_options target)
    set_target_properties(${target} PROPERTIES DRIM_PRODUCT ON)
    foreach(library IN LISTS DRIM_DELAY_LOADED)
        # Ahead of the ordinary import libraries on the link line, so the
        # calls bind to the delayed imports.
        target_link_libraries(${target} PRIVATE ${CMAKE_BINARY_DIR}/delayload/lib${library}_delay.a)
    endforeach()
endfunction()

# The program's own code, in every tree, so that the code under test is the
# code shipped.  It has no exceptions: failures are returned as values, and
# what the library cannot return ends the program through its failure box.
# The tests' own code keeps exceptions, which GoogleTest uses.
# In the Windows tree the program runs one thread, so a function's static
# needs no lock around its first initialisation (the locks' calls and the
# library's guard code came to 8 KB).  The tests link the same code and run
# it on their main thread only; their own code and the window probe, whose
# threads watch the program from outside, keep the locks.  Nothing unwinds
# the program's stack, so its release code carries no unwind tables.
# A call's arguments are pushed rather than stored into space reserved in
# every frame (5 KB less code).  GCC reserves that space on Windows for its
# stack probes, which touch each page below a frame of more than 4000 bytes
# because Windows grows the stack one guard page at a time.  The program
# has no such frame, no variable-length array and no alloca, and the
# warnings, which are errors, keep it so: it needs no probes.
function(drim_product_code target)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>")
    if(WIN32)
        target_compile_options(${target} PRIVATE
            "$<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:CXX>>:-fno-threadsafe-statics;-fno-asynchronous-unwind-tables;-mno-stack-arg-probe;-mno-accumulate-outgoing-args;-Wframe-larger-than=4000;-Wvla;-Walloca>")
    endif()
endfunction()

# The link writes its map beside the target's build files, as
# ${target}.map, for the unwinder check below.
function(drim_link_map target)
    target_link_options(${target} PRIVATE -Wl,-Map,${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
endfunction()

# The program links none of the C++ library's exception machinery: its build
# fails when the link map shows it (cmake/CheckNoUnwinder.cmake).
function(drim_check_no_unwinder target)
    drim_link_map(${target})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DMAP=${CMAKE_CURRENT_BINARY_DIR}/${target}.map -DPROGRAM=${target}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoUnwinder.cmake
        VERBATIM)
endfunction()

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
        drim_release_options(${target})
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
