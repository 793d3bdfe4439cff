// Linked into DRIM32.EXE only, in place of the part of the static unwinder
// that finds a function's frame description while an exception travels.
//
// The library's part registers tables of every kind and sorts each into a
// search array at the first throw: over 10 KB of code for a program that
// throws only on its error paths, through a few frames.  Here the one table
// the start-up code registers is read in order at each frame.  The entries
// are read as the library reads them, and the same entries match.

#include <cstdint>
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

template <typename T> T Load(const unsigned char*& p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

std::uintptr_t ReadUnsignedLeb(const unsigned char*& p)
{
    std::uintptr_t value = 0;
    unsigned shift = 0;
    unsigned char byte;
    do {
        byte = *p++;
        if (shift < 8 * sizeof value)
            value |= static_cast<std::uintptr_t>(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    return value;
}

std::intptr_t ReadSignedLeb(const unsigned char*& p)
{
    std::uintptr_t value = 0;
    unsigned shift = 0;
    unsigned char byte;
    do {
        byte = *p++;
        if (shift < 8 * sizeof value)
            value |= static_cast<std::uintptr_t>(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    if (shift < 8 * sizeof value && (byte & 0x40))
        value |= ~std::uintptr_t { 0 } << shift;
    return static_cast<std::intptr_t>(value);
}

// Reads one encoded pointer and steps over it; false for an encoding the
// program's tables never hold, which leaves the entry unmatched.  Text and
// data relative values have no base in a table registered this way, as in
// the library.  An indirect value is not followed: only its size matters
// where one occurs.
bool ReadEncoded(unsigned char encoding, const unsigned char*& p, std::uintptr_t& value)
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

// How the entries that share the common entry at `cie` encode their code
// addresses, from its augmentation.
unsigned char AddressEncoding(const unsigned char* cie)
{
    const unsigned char* p = cie + 2 * sizeof(std::uint32_t);
    const unsigned char version = *p++;
    const char* augmentation = reinterpret_cast<const char*>(p);
    p += std::strlen(augmentation) + 1;
    if (version >= 4) {
        // Address and segment selector sizes.
        if (p[0] != sizeof(void*) || p[1] != 0)
            return EncodingOmitted;
        p += 2;
    }
    if (augmentation[0] != 'z')
        return EncodingAbsolute;
    ReadUnsignedLeb(p); // code alignment
    ReadSignedLeb(p); // data alignment
    if (version == 1)
        ++p; // return address column
    else
        ReadUnsignedLeb(p);
    ReadUnsignedLeb(p); // augmentation data length
    for (const char* letter = augmentation + 1;; ++letter) {
        switch (*letter) {
        case 'R':
            return *p;
        case 'P': {
            std::uintptr_t personality;
            const unsigned char encoding = *p++;
            if (!ReadEncoded(encoding, p, personality))
                return EncodingOmitted;
            break;
        }
        case 'L':
        case 'B':
            ++p;
            break;
        default:
            return EncodingAbsolute;
        }
    }
}

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

} // namespace

// The unwinder's record of where a function's entry was found.
struct dwarf_eh_bases {
    void* tbase;
    void* dbase;
    void* func;
};

struct object;

extern "C" {

void __register_frame_info(const void* begin, object*)
{
    frameTable = static_cast<const unsigned char*>(begin);
}

void* __deregister_frame_info(const void* begin)
{
    if (begin == frameTable)
        frameTable = nullptr;
    return nullptr;
}

const void* _Unwind_Find_FDE(void* pc, dwarf_eh_bases* bases)
{
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(pc);
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
            const unsigned char encoding = AddressEncoding(cie);
            std::uintptr_t begin = 0;
            std::uintptr_t range = 0;
            if (encoding != EncodingOmitted && ReadEncoded(encoding, p, begin)
                && ReadEncoded(encoding & FormMask, p, range) && (begin & AddressMask(encoding)) != 0
                && address - begin < range) {
                bases->tbase = nullptr;
                bases->dbase = nullptr;
                bases->func = reinterpret_cast<void*>(begin);
                return entry;
            }
        }
        entry = next;
    }
    return nullptr;
}

} // extern "C"
