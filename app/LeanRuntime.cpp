// Linked into DRIM32.EXE only, in place of two parts of the static C++
// library that would make up a third of the program.
//
// The library's own throw helpers (the range and length checks of
// std::string and the containers) build the standard exception classes, which bring a
// second string implementation with them; here they throw the program's own
// kinds with the same text.  All of them are defined, or the library's file
// that holds them would be linked for the one left out.
//
// The library's terminate handler prints the exception's demangled type to a
// console this program does not have, and links a demangler and a printf to
// do it; this one ends the process without a word, as std::abort would.
//
// The library keeps the exceptions being handled per thread, in emulated
// thread-local storage with its own locks; the program runs one thread, so
// one record serves.

#include "platform/Errors.h"

#include <windows.h>

#include <bits/functexcept.h>
#include <cxxabi.h>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

// What std::abort ends the process with.
constexpr UINT AbortExitCode = 3;

[[noreturn]] void SilentTerminate()
{
    TerminateProcess(GetCurrentProcess(), AbortExitCode);
    // Never reached: the call ends this process, but is not declared so.
    for (;;)
        Sleep(INFINITE);
}

} // namespace

namespace __cxxabiv1 {

// The layout the library's exception code reads.
struct __cxa_eh_globals {
    __cxa_exception* caughtExceptions;
    unsigned int uncaughtExceptions;
};

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept
{
    static __cxa_eh_globals globals;
    return &globals;
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept
{
    return __cxa_get_globals();
}

} // namespace __cxxabiv1

// The library's default handler, named by its own terminate code and so
// defined here rather than installed with std::set_terminate.
namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    SilentTerminate();
}

} // namespace __gnu_cxx

namespace std {

void __throw_bad_exception()
{
    throw std::bad_exception();
}
void __throw_bad_alloc()
{
    throw std::bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw std::bad_array_new_length();
}
void __throw_bad_cast()
{
    throw std::bad_cast();
}
void __throw_bad_typeid()
{
    throw std::bad_typeid();
}
void __throw_logic_error(const char* text)
{
    throw EInvalidOperation(text);
}
void __throw_domain_error(const char* text)
{
    throw EInvalidOperation(text);
}
void __throw_invalid_argument(const char* text)
{
    throw EInvalidOperation(text);
}
void __throw_length_error(const char* text)
{
    throw EInvalidOperation(text);
}
void __throw_out_of_range(const char* text)
{
    throw ERangeError(text);
}
// The numbers the format asks for are left out; the text names the check
// that failed.
void __throw_out_of_range_fmt(const char* format, ...)
{
    throw ERangeError(format);
}
void __throw_runtime_error(const char* text)
{
    throw DrimError(text);
}
void __throw_range_error(const char* text)
{
    throw ERangeError(text);
}
void __throw_overflow_error(const char* text)
{
    throw ERangeError(text);
}
void __throw_underflow_error(const char* text)
{
    throw ERangeError(text);
}

} // namespace std
