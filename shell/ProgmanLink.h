#pragma once

// The DDE exchanges with Program Manager.  Each exchange opens its own
// conversation and closes it before it returns; none stays open.

#include "base/Result.h"
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
    // service (with the topic as its argument) from the system or Windows
    // folder and connects once more, without waiting for it.  Nothing when
    // neither connect succeeded.
    static std::optional<ProgmanConversation> Open(
        std::string_view service = ProgmanService, std::string_view topic = ProgmanTopic);

    // Sends one command and waits for the server's answer; true when the
    // server carried it out, false when it refused it or gave no answer
    // within ProgmanAnswerTimeoutMs.
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

// How long a command waits for Program Manager's answer.  A command that
// creates a group also opens its folder window, which takes the shell a
// moment; an answer later than this counts as a refusal.
inline constexpr DWORD ProgmanAnswerTimeoutMs = 5000;

// One full command exchange: success when Program Manager carried the
// command out; DdeOpenFailedText when no conversation could be opened,
// DdeSendFailedText when the command could not be sent, was refused or had
// no answer in time.  `service` is Program Manager except in tests.
Result<> ProgmanExecute(const std::string& command, std::string_view service = ProgmanService);

// The group names Program Manager lists; nothing when no conversation could
// be opened, an empty list when no reply came back.
std::optional<std::vector<std::string>> RequestGroupNames(std::string_view service = ProgmanService);

// The Startup group's name from MapGroups, or from the Startup and Programs
// folders where MapGroups names none (StartupGroupFrom).  The tray, the
// installer and the uninstaller all treat an empty name as an unknown group.
std::string StartupGroupName();
