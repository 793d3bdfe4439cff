#pragma once

// Owners of the DDEML client objects.  Each one frees its object in its
// destructor and can be moved but not copied.  DDEML ties an instance to the
// thread that initialised it, and every object made from an instance belongs
// to that thread too.

#include <windows.h>

#include <ddeml.h>

#include <string_view>

// A DDEML client instance; no instance when DdeInitializeA refused.
class DdeClientInstance {
public:
    static DdeClientInstance Initialize();

    DdeClientInstance(DdeClientInstance&& other) noexcept;
    DdeClientInstance& operator=(DdeClientInstance&& other) noexcept;
    DdeClientInstance(const DdeClientInstance&) = delete;
    DdeClientInstance& operator=(const DdeClientInstance&) = delete;
    ~DdeClientInstance();

    DWORD Get() const { return id_; }
    explicit operator bool() const { return id_ != 0; }

private:
    explicit DdeClientInstance(DWORD id)
        : id_(id)
    {
    }
    void Reset();

    DWORD id_ = 0;
};

// The process's one client instance, made on the first call and uninitialised
// when the process ends; 0 when DDEML refused it.  The first call must come
// from the thread that runs every exchange (the GUI thread).
DWORD ProcessDdeInstance();

// A string handle in code page CP_WINANSI, whose bytes are taken as the
// system's ANSI code page (932 here).
class DdeStringHandle {
public:
    DdeStringHandle(DWORD instance, std::string_view text);

    DdeStringHandle(DdeStringHandle&& other) noexcept;
    DdeStringHandle& operator=(DdeStringHandle&& other) noexcept;
    DdeStringHandle(const DdeStringHandle&) = delete;
    DdeStringHandle& operator=(const DdeStringHandle&) = delete;
    ~DdeStringHandle();

    HSZ Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void Reset();

    DWORD instance_ = 0;
    HSZ handle_ = nullptr;
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

    DdeConversation(DdeConversation&& other) noexcept;
    DdeConversation& operator=(DdeConversation&& other) noexcept;
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;
    ~DdeConversation();

    HCONV Get() const { return conversation_; }
    explicit operator bool() const { return conversation_ != nullptr; }

    // The data format the conversation reports, or CF_TEXT when it reports
    // none.
    UINT Format() const;

private:
    explicit DdeConversation(HCONV conversation)
        : conversation_(conversation)
    {
    }
    void Reset();

    HCONV conversation_ = nullptr;
};

// A data handle that the application owns.
class DdeDataHandle {
public:
    explicit DdeDataHandle(HDDEDATA handle)
        : handle_(handle)
    {
    }

    DdeDataHandle(DdeDataHandle&& other) noexcept;
    DdeDataHandle& operator=(DdeDataHandle&& other) noexcept;
    DdeDataHandle(const DdeDataHandle&) = delete;
    DdeDataHandle& operator=(const DdeDataHandle&) = delete;
    ~DdeDataHandle();

    HDDEDATA Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Gives the handle up without freeing it, for a call that takes it over.
    HDDEDATA Release();

private:
    void Reset();

    HDDEDATA handle_ = nullptr;
};

// The bytes of a data handle, readable while this object lives.
class DdeDataAccess {
public:
    explicit DdeDataAccess(const DdeDataHandle& data);

    DdeDataAccess(DdeDataAccess&& other) noexcept;
    DdeDataAccess& operator=(DdeDataAccess&& other) noexcept;
    DdeDataAccess(const DdeDataAccess&) = delete;
    DdeDataAccess& operator=(const DdeDataAccess&) = delete;
    ~DdeDataAccess();

    explicit operator bool() const { return bytes_ != nullptr; }
    // Exactly the data handle's size: DDE data need not end in a zero byte.
    std::string_view Bytes() const;

private:
    void Reset();

    HDDEDATA handle_ = nullptr;
    const char* bytes_ = nullptr;
    DWORD size_ = 0;
};
