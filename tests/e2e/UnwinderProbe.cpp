// Never run: built like DRIM32.EXE for its link map alone.  It reaches the
// C++ library's failure hooks the way library code does (an empty
// std::function called), and every other hook the library's header
// declares, so that its map shows whether any of them brings the library's
// unwinder with it.

#include <windows.h>

#include <bits/functexcept.h>
#include <functional>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    void (*const hooks[])() = {
        [] { std::__throw_bad_exception(); },
        [] { std::__throw_bad_alloc(); },
        [] { std::__throw_bad_array_new_length(); },
        [] { std::__throw_bad_cast(); },
        [] { std::__throw_bad_typeid(); },
        [] { std::__throw_logic_error(""); },
        [] { std::__throw_domain_error(""); },
        [] { std::__throw_invalid_argument(""); },
        [] { std::__throw_length_error(""); },
        [] { std::__throw_out_of_range(""); },
        [] { std::__throw_out_of_range_fmt("%s", ""); },
        [] { std::__throw_runtime_error(""); },
        [] { std::__throw_range_error(""); },
        [] { std::__throw_overflow_error(""); },
        [] { std::__throw_underflow_error(""); },
        [] { std::__throw_ios_failure(""); },
        [] { std::__throw_ios_failure("", 0); },
        [] { std::__throw_system_error(0); },
        [] { std::__throw_future_error(0); },
        [] { std::__throw_bad_function_call(); },
    };
    const std::size_t chosen = static_cast<unsigned char>(*commandLine);
    if (chosen < std::size(hooks))
        hooks[chosen]();
    std::function<int()> call;
    return call();
}
