#pragma once

// Owners of the DDEML client objects, on the program's one owner template.  DDEML ties an instance to the
// thread that initialised it, and every object made from an instance belongs
// to that thread too.

#include "platform/UniqueOwner.h"

#include <windows.h>

#include <ddeml.h>

#include <string_view>

// A DDEML client instance; no instance when DdeInitializeA refused.
class DdeClientInstance {
public:
    static DdeClientInstance Initialize();

    DWORD Get() const { return id_.Get(); }
    explicit operator bool() const { return static_cast<bool>(id_); }

private:
    explicit DdeClientInstance(DWORD id)
        : id_(id)
    {
    }

    UniqueOwner<ReleasedBy<DWORD, DdeUninitialize>> id_;
};

// The process's one client instance, made on the first call and uninitialised
// when the process ends; 0 when DDEML refused it.  The first call must come
// from the thread that runs every exchange (the GUI thread).
DWORD ProcessDdeInstance();

// A string handle is freed through the instance that made it.
struct DdeStringTraits {
    using Handle = HSZ;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr; }
    void Release(Handle handle) const { DdeFreeStringHandle(instance, handle); }

    DWORD instance = 0;
};

// A string handle in code page CP_WINANSI, whose bytes are taken as the
// system's ANSI code page (932 here).
class DdeStringHandle {
public:
    DdeStringHandle(DWORD instance, std::string_view text);

    HSZ Get() const { return handle_.Get(); }
    explicit operator bool() const { return static_cast<bool>(handle_); }

private:
    UniqueOwner<DdeStringTraits> handle_;
};

// A client conversation, disconnected at destruction.
class DdeConversation {
public:
    DdeConversation() = default;
    // Connects with a context in CP_WINANSI.  A missing service or topic
    // handle gives no conversation: DDEML would take it for a wildcard and
    // connect to whichever server answers first.
    static DdeConversation Connect(
        DWORD instance, const DdeStringHandle& service, const DdeStringHandle& topic);

    HCONV Get() const { return conversation_.Get(); }
    explicit operator bool() const { return static_cast<bool>(conversation_); }

    // The data format the conversation reports, or CF_TEXT when it reports
    // none.
    UINT Format() const;

private:
    explicit DdeConversation(HCONV conversation)
        : conversation_(conversation)
    {
    }

    UniqueOwner<ReleasedBy<HCONV, DdeDisconnect>> conversation_;
};

// A data handle that the application owns; Release gives it up without
// freeing it, for a call that takes it over.
using DdeDataHandle = UniqueOwner<ReleasedBy<HDDEDATA, DdeFreeDataHandle>>;

// The bytes of a data handle, readable while this object lives.
class DdeDataAccess {
public:
    explicit DdeDataAccess(const DdeDataHandle& data);
    DdeDataAccess(const DdeDataAccess&) = delete;
    DdeDataAccess& operator=(const DdeDataAccess&) = delete;

    explicit operator bool() const { return bytes_ != nullptr; }
    // Exactly the data handle's size: DDE data need not end in a zero byte.
    std::string_view Bytes() const;

private:
    UniqueOwner<ReleasedBy<HDDEDATA, DdeUnaccessData>> access_;
    const char* bytes_ = nullptr;
    DWORD size_ = 0;
};
