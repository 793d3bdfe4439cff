#pragma once

// The errors that carry a text for the user.  Code that fails throws one of
// these; the caller catches it and shows its own message, or this one.

#include <stdexcept>
#include <string>

class DrimError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be opened for reading.
class EFOpenError : public DrimError {
public:
    using DrimError::DrimError;
};

// A file that could not be created.
class EFCreateError : public DrimError {
public:
    using DrimError::DrimError;
};

// A file whose contents could not be read or written in full.
class EInOutError : public DrimError {
public:
    using DrimError::DrimError;
};

// An operation that the object's state does not allow.
class EInvalidOperation : public DrimError {
public:
    using DrimError::DrimError;
};

// Text that is not the number it should be.
class EConvertError : public DrimError {
public:
    using DrimError::DrimError;
};
