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

    enum class Answer { Carried, Refused, None };
    // Sends one command and waits for the server's answer: None when it gave
    // none within ProgmanAnswerTimeoutMs.
    [[nodiscard]] Answer Execute(const std::string& command) const;
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
// moment; without an answer by then, the command's effect is looked for a
// while longer (ProgmanEffectWaitMs).
inline constexpr DWORD ProgmanAnswerTimeoutMs = 5000;
inline constexpr DWORD ProgmanEffectWaitMs = 3000;
inline constexpr DWORD ProgmanEffectPollMs = 100;

// One full command exchange: success when Program Manager carried the
// command out, or gave no answer in time and `effect` showed within
// ProgmanEffectWaitMs; DdeOpenFailedText when no conversation could be
// opened, DdeSendFailedText otherwise.  `service` is Program Manager except
// in tests.
Result<> ProgmanExecute(
    const std::string& command, const ProgmanEffect& effect = {}, std::string_view service = ProgmanService);

// A command's effect in the system's Programs folder (ExpectedEffect).
ProgmanEffect ShellEffect(ProgmanEffectKind kind, std::string_view group, std::string_view itemTitle = {});

// The group names Program Manager lists; nothing when no conversation could
// be opened, an empty list when no reply came back.
std::optional<std::vector<std::string>> RequestGroupNames(std::string_view service = ProgmanService);

// The Startup group's name from MapGroups, or from the Startup and Programs
// folders where MapGroups names none (StartupGroupFrom).  The tray, the
// installer and the uninstaller all treat an empty name as an unknown group.
std::string StartupGroupName();
