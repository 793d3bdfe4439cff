// A program built like DRIM32.EXE, with its failure path, that commits the
// fault its argument names: the failure box must show and the process end
// with the failure's exit code.

#include "app/FailFast.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Out of reach of any heap of a 32-bit process, so the allocation fails.
constexpr std::size_t HugeAllocation = 0x7FFF0000;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    InstallFailFastHandlers();
    const std::string_view fault(commandLine);
    // volatile: the compiler must not see through the faults below.
    volatile std::size_t index = 1;
    volatile std::size_t size = HugeAllocation;
    if (fault == "range") {
        const std::string empty;
        return empty.at(index);
    }
    if (fault == "allocation") {
        const std::string huge(size, 'x');
        return huge[index];
    }
    if (fault == "abort")
        std::abort();
    return 0;
}
