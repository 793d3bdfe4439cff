#pragma once

// The compiler's table of frame descriptions, which the start-up code
// registers, and the search for the entry of the function that holds a code
// address.  Linked into DRIM32.EXE only, with the unwinder that reads it.

#include <cstdint>
#include <cstring>

// What the unwinder needs of one function's entry and the common entry it
// refers to.
struct FrameDescription {
    std::uintptr_t functionStart = 0;
    // How code addresses in the entries are encoded (for DW_CFA_set_loc).
    unsigned char addressEncoding = 0;
    // The common entry's instructions, then the function's own.
    const unsigned char* initialInstructions = nullptr;
    const unsigned char* initialEnd = nullptr;
    const unsigned char* instructions = nullptr;
    const unsigned char* instructionsEnd = nullptr;
    std::uintptr_t codeAlignment = 1;
    std::intptr_t dataAlignment = 1;
    unsigned returnColumn = 0;
    // Zero where the function has none.
    std::uintptr_t personality = 0;
    std::uintptr_t languageData = 0;
    bool signalFrame = false;
};

// Reads a value of type T at `p`, which the tables leave unaligned, and
// steps over it.
template <typename T> T Load(const unsigned char*& p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

// Reads one encoded pointer at `p` and steps over it; false for an encoding
// that the tables of this program never hold.
bool ReadEncodedPointer(unsigned char encoding, const unsigned char*& p, std::uintptr_t& value);
std::uintptr_t ReadUnsignedLeb(const unsigned char*& p);
std::intptr_t ReadSignedLeb(const unsigned char*& p);

// False where no entry holds the address, or where the entry that does is of
// a form this search does not read.
bool FindFrameDescription(std::uintptr_t address, FrameDescription& description);
