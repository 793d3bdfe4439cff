#pragma once

// Owner of a global atom: added on construction, deleted on destruction.

#include "platform/UniqueOwner.h"

#include <windows.h>

#include <string>

class GlobalAtom {
public:
    // An atom that could not be added (a name over 255 characters, say)
    // is 0, and nothing is deleted for it.
    explicit GlobalAtom(const std::string& name)
        : atom_(GlobalAddAtomA(name.c_str()))
    {
    }

    ATOM Get() const { return atom_.Get(); }
    // Gives up ownership without deleting: the atom stays in the session's
    // table for a reader that may come after this process has ended.
    void LeaveToSession() { atom_.Release(); }

private:
    UniqueOwner<ReleasedBy<ATOM, GlobalDeleteAtom>> atom_;
};

// The name of an atom, or empty when it cannot be read.  The buffer is the
// largest name an atom can have, so nothing is cut.
std::string GlobalAtomName(ATOM atom);
