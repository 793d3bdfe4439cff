#pragma once

// The DDE exchanges with Program Manager.  Each exchange opens its own
// conversation and closes it before it returns; none stays open.

#include "platform/Dde.h"
#include "shell/Progman.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One conversation with a DDE server, from its opening to its destruction.
class ProgmanConversation {
public:
    // Connects; when no server answers, starts the program named like the
    // service (with the topic as its argument) and connects once more, without
    // waiting for it.  Nothing when neither connect succeeded.
    static std::optional<ProgmanConversation> Open(
        std::string_view service = ProgmanService, std::string_view topic = ProgmanTopic);

    // Hands one command to the server; true when it was accepted for sending.
    // The server carries it out later, while the caller lets messages run.
    [[nodiscard]] bool Execute(const std::string& command) const;
    // The reply to a request, cut at its size; nothing when no data came back
    // within `timeoutMs`.
    std::optional<std::string> Request(std::string_view item, DWORD timeoutMs) const;

    UINT Format() const { return format_; }

private:
    ProgmanConversation(
        DWORD instance, DdeStringHandle service, DdeStringHandle topic, DdeConversation conversation);

    DWORD instance_;
    // Declared before the conversation, so that it is disconnected before
    // its names are freed.
    DdeStringHandle service_;
    DdeStringHandle topic_;
    DdeConversation conversation_;
    UINT format_;
};

// One full command exchange: "" when the command was handed over,
// DdeOpenFailedText or DdeSendFailedText otherwise.  `service` is Program
// Manager except in tests.
std::string ProgmanExecute(const std::string& command, std::string_view service = ProgmanService);

// The group names Program Manager lists; nothing when no conversation could
// be opened, an empty list when no reply came back.
std::optional<std::vector<std::string>> RequestGroupNames(std::string_view service = ProgmanService);

// The Startup group's name from MapGroups; empty when the key or the value is
// missing, and also when the value is not a string or is longer than any
// folder name (255 bytes): no shell has such a group, and a command naming
// one can stall the shell itself.  The tray, the installer and the
// uninstaller all treat an empty name as an unknown group.
std::string StartupGroupName();
