// The program is built without exceptions.  The C++ library's failure hooks
// are defined here, once, and end the program visibly; defining them also
// keeps the library's throwing versions out of the program, and with them
// the unwinder they would need.  Every one the library declares is defined:
// the library's file that holds them would otherwise be linked for the one
// left out.

#include "app/FailFast.h"

#include "program/ProgramValues.h"

#include <bits/functexcept.h>
#include <csignal>

namespace {

constexpr char FaultText[] = "内部エラーが発生しましたので、終了します。\n";
constexpr char RangeFailure[] = "範囲外の位置が指定されました";
constexpr char LengthFailure[] = "文字列・表の長さが上限を超えました";
constexpr char LogicFailure[] = "想定外の状態になりました";
constexpr char TerminateFailure[] = "処理が中断されました";

[[noreturn]] void FailFastOnAbort(int)
{
    FailFast(TerminateFailure, "abort");
}

} // namespace

void InstallFailFastHandlers()
{
    std::signal(SIGABRT, FailFastOnAbort);
}

void FailFast(const char* failure, const char* detail)
{
    // Built in a fixed buffer: the fault may be that no memory is left.
    char text[512];
    std::size_t used = 0;
    const auto append = [&](const char* part) {
        for (; part != nullptr && *part != '\0' && used + 1 < sizeof text; ++part)
            text[used++] = *part;
    };
    append(FaultText);
    append(failure);
    if (detail != nullptr) {
        append("\n(");
        append(detail);
        append(")");
    }
    text[used] = '\0';
    char title[64];
    const std::size_t titleLength = ApplicationTitle.copy(title, sizeof title - 1);
    title[titleLength] = '\0';
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    TerminateProcess(GetCurrentProcess(), FailFastExitCode);
    // TerminateProcess does not return for the calling process, but is not
    // declared so.
    ExitProcess(FailFastExitCode);
}

namespace std {

void __throw_bad_exception()
{
    FailFast(LogicFailure, "bad_exception");
}
void __throw_bad_alloc()
{
    FailFast(AllocationFailureText);
}
void __throw_bad_array_new_length()
{
    FailFast(AllocationFailureText, "bad_array_new_length");
}
void __throw_bad_cast()
{
    FailFast(LogicFailure, "bad_cast");
}
void __throw_bad_typeid()
{
    FailFast(LogicFailure, "bad_typeid");
}
void __throw_logic_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_domain_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_invalid_argument(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_length_error(const char* text)
{
    FailFast(LengthFailure, text);
}
void __throw_out_of_range(const char* text)
{
    FailFast(RangeFailure, text);
}
// The numbers the format asks for are left out; the text names the check.
void __throw_out_of_range_fmt(const char* format, ...)
{
    FailFast(RangeFailure, format);
}
void __throw_runtime_error(const char* text)
{
    FailFast(LogicFailure, text);
}
void __throw_range_error(const char* text)
{
    FailFast(RangeFailure, text);
}
void __throw_overflow_error(const char* text)
{
    FailFast(RangeFailure, text);
}
void __throw_underflow_error(const char* text)
{
    FailFast(RangeFailure, text);
}

} // namespace std
