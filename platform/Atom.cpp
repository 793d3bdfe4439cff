#include "platform/Atom.h"

namespace {

// Atom names are at most 255 bytes; one more for the terminating zero.
constexpr int AtomNameCapacity = 256;

} // namespace

std::string GlobalAtomName(ATOM atom)
{
    if (atom == 0)
        return {};
    char name[AtomNameCapacity] = {};
    const UINT length = GlobalGetAtomNameA(atom, name, AtomNameCapacity);
    return std::string(name, length < AtomNameCapacity ? length : 0);
}
