# Every target of the project compiles with these settings.  Sources are
# UTF-8; every string literal is stored as Shift-JIS (code page 932), the
# only encoding the program speaks.
option(DRIM_SANITIZE "Build the native tree with AddressSanitizer and UBSan" ON)

function(drim_target_options target)
    target_compile_options(${target} PRIVATE
        -finput-charset=UTF-8 -fexec-charset=CP932
        -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor
        -Wcast-align -Wformat=2 -Wimplicit-fallthrough
        # GCC 12 reports overlapping copies inside std::string's own inlined
        # code at -O2 and above (GCC bug 105329), not in ours.
        -Wno-restrict)
    if(WIN32)
        # ANSI entry points only: UNICODE stays undefined.
        target_compile_definitions(${target} PUBLIC
            STRICT _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
        target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++)
    elseif(DRIM_SANITIZE)
        target_compile_options(${target} PUBLIC
            -fsanitize=address,undefined -fno-omit-frame-pointer
            -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
