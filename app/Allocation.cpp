// The global allocation functions, replaced as the language allows: the
// library's own throw std::bad_alloc, and its no-throw forms catch it, which
// would bring exception handling back into a program built without it.  A
// plain new that finds no memory ends the program through FailFast; the
// no-throw forms answer nullptr, for the callers that report it themselves.

#include "app/FailFast.h"

#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t size)
{
    // malloc(0) may answer nullptr; new must give a distinct pointer.
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrFail(std::size_t size)
{
    if (void* memory = Allocate(size))
        return memory;
    FailFast(AllocationFailureText);
}

} // namespace

void* operator new(std::size_t size)
{
    return AllocateOrFail(size);
}
void* operator new[](std::size_t size)
{
    return AllocateOrFail(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
