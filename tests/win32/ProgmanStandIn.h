#pragma once

// A Program Manager of the test's own: a PROGMAN server on a thread of its
// own that records every command and hands it to the test's handler before
// it answers, so that a handler that takes its time answers late.
// Registered after the shell's server, its window comes first when a client
// asks who serves the name, and it takes the conversations while it lives.

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class ProgmanStandIn {
public:
    using Handler = std::function<void(const std::string& command)>;

    explicit ProgmanStandIn(Handler handler);
    ~ProgmanStandIn();
    ProgmanStandIn(const ProgmanStandIn&) = delete;
    ProgmanStandIn& operator=(const ProgmanStandIn&) = delete;

    // Whether the server has registered its name.
    bool Serving() const { return serving_; }
    // The commands received so far, each cut at its zero byte.
    std::vector<std::string> Commands() const;

private:
    static DWORD WINAPI Run(void* self);
    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR);

    Handler handler_;
    mutable std::mutex mutex_;
    std::vector<std::string> commands_;
    HANDLE started_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    bool serving_ = false;
};
