// The library's search registers tables of every kind and sorts each into a
// search array at the first throw: over 10 KB of code for a program that
// throws only on its error paths, through a few frames.  Here the one table
// the start-up code registers is read in order at each frame.  The entries
// are read as the library reads them, and the same entries match.

#include "app/FrameTable.h"

#include <cstring>

namespace {

// The first entry of the program's table, from the start-up code.
const unsigned char* frameTable = nullptr;

// Pointer encodings of the exception tables: the low nibble gives the
// form, the next three bits what the value is relative to.
constexpr unsigned char EncodingOmitted = 0xFF;
constexpr unsigned char EncodingAbsolute = 0x00;
constexpr unsigned char FormMask = 0x0F;
constexpr unsigned char RelationMask = 0x70;
constexpr unsigned char RelativeToPlace = 0x10;
constexpr unsigned char RelativeToText = 0x20;
constexpr unsigned char RelativeToData = 0x30;
constexpr unsigned char AlignedToPointer = 0x50;
constexpr unsigned char Indirect = 0x80;

// The bytes of an encoding's form, for telling a removed function's zero
// address from a real one.
std::uintptr_t AddressMask(unsigned char encoding)
{
    switch (encoding & FormMask) {
    case 0x02:
    case 0x0A:
        return 0xFFFF;
    default:
        return ~std::uintptr_t { 0 };
    }
}

// An encoded pointer that may be indirect: zero stays zero.
bool ReadPointerThrough(unsigned char encoding, const unsigned char*& p, std::uintptr_t& value)
{
    if (!ReadEncodedPointer(encoding, p, value))
        return false;
    if ((encoding & Indirect) && value != 0)
        std::memcpy(&value, reinterpret_cast<const void*>(value), sizeof value);
    return true;
}

// What the function's entry takes from its common entry.
struct CommonEntry {
    unsigned char addressEncoding = EncodingAbsolute;
    unsigned char languageDataEncoding = EncodingOmitted;
    bool augmented = false;
};

// Reads the common entry at `cie` into `description` (all but the
// function's own fields); false for a form not read here.
bool ReadCommonEntry(const unsigned char* cie, CommonEntry& common, FrameDescription* description)
{
    const unsigned char* p = cie;
    const std::uint32_t length = Load<std::uint32_t>(p);
    const unsigned char* const end = p + length;
    p += sizeof(std::uint32_t);
    const unsigned char version = *p++;
    const char* augmentation = reinterpret_cast<const char*>(p);
    p += std::strlen(augmentation) + 1;
    if (version >= 4) {
        // Address and segment selector sizes.
        if (p[0] != sizeof(void*) || p[1] != 0)
            return false;
        p += 2;
    }
    const std::uintptr_t codeAlignment = ReadUnsignedLeb(p);
    const std::intptr_t dataAlignment = ReadSignedLeb(p);
    const unsigned returnColumn = version == 1 ? *p++ : static_cast<unsigned>(ReadUnsignedLeb(p));
    std::uintptr_t personality = 0;
    bool signalFrame = false;
    common = CommonEntry {};
    if (augmentation[0] == 'z') {
        common.augmented = true;
        const std::uintptr_t dataLength = ReadUnsignedLeb(p);
        const unsigned char* const dataEnd = p + dataLength;
        // An unknown letter ends the reading; the length says where the
        // instructions begin.
        for (const char* letter = augmentation + 1; *letter != '\0'; ++letter) {
            if (*letter == 'R') {
                common.addressEncoding = *p++;
            } else if (*letter == 'L') {
                common.languageDataEncoding = *p++;
            } else if (*letter == 'P') {
                const unsigned char encoding = *p++;
                if (!ReadPointerThrough(encoding, p, personality))
                    return false;
            } else if (*letter == 'S') {
                signalFrame = true;
            } else {
                break;
            }
        }
        p = dataEnd;
    } else if (augmentation[0] != '\0') {
        return false;
    }
    if (description != nullptr) {
        description->addressEncoding = common.addressEncoding;
        description->initialInstructions = p;
        description->initialEnd = end;
        description->codeAlignment = codeAlignment;
        description->dataAlignment = dataAlignment;
        description->returnColumn = returnColumn;
        description->personality = personality;
        description->signalFrame = signalFrame;
    }
    return true;
}

// The low bits of a LEB128 number, how many were read, and its last byte,
// whose 0x40 bit is the sign of a signed one.
struct LebBits {
    std::uintptr_t value = 0;
    unsigned shift = 0;
    unsigned char last = 0;
};

LebBits ReadLebBits(const unsigned char*& p)
{
    LebBits bits;
    do {
        bits.last = *p++;
        if (bits.shift < 8 * sizeof bits.value)
            bits.value |= static_cast<std::uintptr_t>(bits.last & 0x7F) << bits.shift;
        bits.shift += 7;
    } while (bits.last & 0x80);
    return bits;
}

} // namespace

std::uintptr_t ReadUnsignedLeb(const unsigned char*& p)
{
    return ReadLebBits(p).value;
}

std::intptr_t ReadSignedLeb(const unsigned char*& p)
{
    LebBits bits = ReadLebBits(p);
    if (bits.shift < 8 * sizeof bits.value && (bits.last & 0x40))
        bits.value |= ~std::uintptr_t { 0 } << bits.shift;
    return static_cast<std::intptr_t>(bits.value);
}

// Text and data relative values have no base in a table registered this
// way, as in the library.  An indirect value is not followed here.
bool ReadEncodedPointer(unsigned char encoding, const unsigned char*& p, std::uintptr_t& value)
{
    const unsigned char* const place = p;
    if ((encoding & ~Indirect) == AlignedToPointer) {
        const std::uintptr_t misalignment = reinterpret_cast<std::uintptr_t>(p) % sizeof(void*);
        if (misalignment != 0)
            p += sizeof(void*) - misalignment;
        value = Load<std::uintptr_t>(p);
        return true;
    }
    switch (encoding & FormMask) {
    case 0x00:
        value = Load<std::uintptr_t>(p);
        break;
    case 0x01:
        value = ReadUnsignedLeb(p);
        break;
    case 0x02:
        value = Load<std::uint16_t>(p);
        break;
    case 0x03:
        value = Load<std::uint32_t>(p);
        break;
    case 0x04:
        value = static_cast<std::uintptr_t>(Load<std::uint64_t>(p));
        break;
    case 0x09:
        value = static_cast<std::uintptr_t>(ReadSignedLeb(p));
        break;
    case 0x0A:
        value = static_cast<std::uintptr_t>(static_cast<std::intptr_t>(Load<std::int16_t>(p)));
        break;
    case 0x0B:
        value = static_cast<std::uintptr_t>(static_cast<std::intptr_t>(Load<std::int32_t>(p)));
        break;
    case 0x0C:
        value = static_cast<std::uintptr_t>(Load<std::int64_t>(p));
        break;
    default:
        return false;
    }
    switch (encoding & RelationMask) {
    case EncodingAbsolute:
    case RelativeToText:
    case RelativeToData:
        break;
    case RelativeToPlace:
        if (value != 0)
            value += reinterpret_cast<std::uintptr_t>(place);
        break;
    default:
        return false;
    }
    return true;
}

bool FindFrameDescription(std::uintptr_t address, FrameDescription& description)
{
    const unsigned char* entry = frameTable;
    while (entry != nullptr) {
        const unsigned char* p = entry;
        const std::uint32_t length = Load<std::uint32_t>(p);
        // The table ends with an empty entry; 64-bit lengths are not
        // written for this target.
        if (length == 0 || length == 0xFFFFFFFF)
            break;
        const unsigned char* const next = p + length;
        const std::uint32_t commonOffset = Load<std::uint32_t>(p);
        // Offset zero marks a common entry, which describes no function.
        if (commonOffset != 0) {
            const unsigned char* const cie = entry + sizeof(std::uint32_t) - commonOffset;
            CommonEntry common;
            std::uintptr_t begin = 0;
            std::uintptr_t range = 0;
            if (ReadCommonEntry(cie, common, nullptr) && ReadEncodedPointer(common.addressEncoding, p, begin)
                && ReadEncodedPointer(common.addressEncoding & FormMask, p, range)
                && (begin & AddressMask(common.addressEncoding)) != 0 && address - begin < range) {
                if (!ReadCommonEntry(cie, common, &description))
                    return false;
                description.functionStart = begin;
                description.languageData = 0;
                if (common.augmented) {
                    const std::uintptr_t dataLength = ReadUnsignedLeb(p);
                    const unsigned char* const dataEnd = p + dataLength;
                    if (common.languageDataEncoding != EncodingOmitted
                        && !ReadPointerThrough(common.languageDataEncoding, p, description.languageData))
                        return false;
                    p = dataEnd;
                }
                description.instructions = p;
                description.instructionsEnd = next;
                return true;
            }
        }
        entry = next;
    }
    return false;
}

struct object;

// Called by the start-up code with the program's table, and at its end.
extern "C" void __register_frame_info(const void* begin, object*)
{
    frameTable = static_cast<const unsigned char*>(begin);
}

extern "C" void* __deregister_frame_info(const void* begin)
{
    if (begin == frameTable)
        frameTable = nullptr;
    return nullptr;
}
