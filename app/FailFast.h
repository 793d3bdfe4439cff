#pragma once

// The one way the program ends on a fault it cannot return from (memory that
// cannot be had, a bounds check of the C++ library): a box that names the
// failure, then the process ends with FailFastExitCode.  Nothing of the
// program runs after the fault: the box has a thread of its own while the
// faulting thread's windows answer what others send them through
// DefWindowProcA and it dispatches no posted message, so no timer, close,
// forward or registry write of the program runs half-way.

#include <windows.h>

inline constexpr UINT FailFastExitCode = 3;

inline constexpr char AllocationFailureText[] = "メモリーが確保できません";

// Routes std::abort (a library check without a hook of its own) here too,
// rather than to the runtime's console message; called first thing.
void InstallFailFastHandlers();

// `failure` is the Japanese name of the fault; `detail` the library's own
// words, if any, for whoever reports the fault.
[[noreturn]] void FailFast(const char* failure, const char* detail = nullptr);
