#pragma once

// The header the C++ runtime keeps before every thrown object: the fields
// of the Itanium C++ ABI's exception record, after the reference count that
// GCC's runtime adds.  Only its size and alignment are used, to place the
// thrown object where the runtime looks for it.

#include <unwind.h>

struct ExceptionRecordHeader {
    void* exceptionType;
    void (*exceptionDestructor)(void*);
    void (*unexpectedHandler)();
    void (*terminateHandler)();
    ExceptionRecordHeader* nextException;
    int handlerCount;
    int handlerSwitchValue;
    const unsigned char* actionRecord;
    const unsigned char* languageSpecificData;
    _Unwind_Ptr catchTemp;
    void* adjustedPtr;
    _Unwind_Exception unwindHeader;
};

struct RefcountedExceptionHeader {
    int referenceCount;
    ExceptionRecordHeader record;
};
