// Linked into DRIM32.EXE only, in place of the library's memory for thrown
// exceptions.  The library keeps an emergency pool beside the heap, so that
// it can still throw when the heap is exhausted: 19 KB taken from the heap
// at start, with its locks, for the whole life of a program that throws
// only on its error paths.  Here every exception comes from the heap; a
// heap too full for one ends the program, as the library does once its pool
// is full too.

#include "app/ExceptionMemory.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <exception>

extern "C" void* __cxa_allocate_exception(std::size_t thrownSize) noexcept
{
    void* block = std::malloc(sizeof(RefcountedExceptionHeader) + thrownSize);
    if (block == nullptr)
        std::terminate();
    std::memset(block, 0, sizeof(RefcountedExceptionHeader));
    return static_cast<char*>(block) + sizeof(RefcountedExceptionHeader);
}

extern "C" void __cxa_free_exception(void* thrown) noexcept
{
    std::free(static_cast<char*>(thrown) - sizeof(RefcountedExceptionHeader));
}
