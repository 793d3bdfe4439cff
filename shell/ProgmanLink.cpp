#include "shell/ProgmanLink.h"

#include "platform/Registry.h"
#include "platform/SystemFolders.h"
#include "platform/WinExec.h"

#include <shlobj.h>

#include <cstdint>
#include <utility>

namespace {

constexpr DWORD GroupListTimeoutMs = 10000;

// DDEML's marker for "the data argument is a data handle".
constexpr DWORD DataHandleLength = static_cast<DWORD>(-1);

// A shell folder's path, whether or not the folder exists; empty when the
// system names none.  Without CSIDL_FLAG_DONT_VERIFY a missing folder gives
// S_FALSE and no path, although CreateGroup would make it again.
std::string ShellFolder(int folder)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, folder | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::uint64_t FileTimeValue(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t FileTimeNow()
{
    FILETIME now {};
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}

PathState StateOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    return { true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
        FileTimeValue(data.ftLastWriteTime) };
}

// Only sent messages are answered meanwhile, so that no program that sends
// to this one hangs; posted ones (input, a close) wait for the command's end.
bool EffectFollows(const ProgmanEffect& effect, std::uint64_t sentAt)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (EffectShown(effect, StateOf(effect.path), sentAt))
            return true;
        if (effect.path.empty() || GetTickCount() - start >= ProgmanEffectWaitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ProgmanEffectPollMs, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The server's program started only from the system's own folders: a file
// of that name beside this program or in the current folder, which the
// installer has just moved to the user's chosen folder, is never run.
bool StartServerProgram(std::string_view service, std::string_view topic)
{
    const std::string program = SystemProgramPath(std::string(service).append(".EXE"));
    if (program.empty())
        return false;
    std::string commandLine = QuotedCommand(program);
    commandLine.append(" ").append(topic);
    return StartCommandLine(commandLine, SW_SHOWMINNOACTIVE);
}

} // namespace

std::optional<ProgmanConversation> ProgmanConversation::Open(std::string_view service, std::string_view topic)
{
    const DWORD instance = ProcessDdeInstance();
    DdeStringHandle serviceName(instance, service);
    DdeStringHandle topicName(instance, topic);
    DdeConversation conversation = DdeConversation::Connect(instance, serviceName, topicName);
    if (!conversation && StartServerProgram(service, topic))
        conversation = DdeConversation::Connect(instance, serviceName, topicName);
    if (!conversation)
        return std::nullopt;
    return ProgmanConversation(
        instance, std::move(serviceName), std::move(topicName), std::move(conversation));
}

ProgmanConversation::ProgmanConversation(
    DWORD instance, DdeStringHandle service, DdeStringHandle topic, DdeConversation conversation)
    : instance_(instance)
    , service_(std::move(service))
    , topic_(std::move(topic))
    , conversation_(std::move(conversation))
    , format_(conversation_.Format())
{
}

ProgmanConversation::Answer ProgmanConversation::Execute(const std::string& command) const
{
    // The server expects the command's terminating zero as part of the data.
    DdeDataHandle data(
        DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
            static_cast<DWORD>(command.size() + 1), 0, nullptr, format_, 0));
    if (!data)
        return Answer::Refused;
    // A data handle passed to a transaction belongs to DDEML from then on.
    if (DdeClientTransaction(reinterpret_cast<LPBYTE>(data.Release()), DataHandleLength, conversation_.Get(),
            nullptr, format_, XTYP_EXECUTE, ProgmanAnswerTimeoutMs, nullptr)
        != 0)
        return Answer::Carried;
    return DdeGetLastError(instance_) == DMLERR_EXECACKTIMEOUT ? Answer::None : Answer::Refused;
}

std::optional<std::string> ProgmanConversation::Request(std::string_view item, DWORD timeoutMs) const
{
    const DdeStringHandle itemName(instance_, item);
    if (!itemName)
        return std::nullopt;
    const DdeDataHandle reply(DdeClientTransaction(
        nullptr, 0, conversation_.Get(), itemName.Get(), format_, XTYP_REQUEST, timeoutMs, nullptr));
    const DdeDataAccess bytes(reply);
    if (!bytes)
        return std::nullopt;
    // The copy stops at the data's size: a server's reply need not carry the
    // zero byte that would end it, and std::string adds one of its own.
    return std::string(bytes.Bytes());
}

Result<> ProgmanExecute(const std::string& command, const ProgmanEffect& effect, std::string_view service)
{
    std::uint64_t sentAt = 0;
    ProgmanConversation::Answer answer = ProgmanConversation::Answer::Refused;
    {
        const std::optional<ProgmanConversation> conversation = ProgmanConversation::Open(service);
        if (!conversation)
            return Failure { std::string(DdeOpenFailedText) };
        sentAt = FileTimeNow();
        answer = conversation->Execute(command);
    }
    if (answer == ProgmanConversation::Answer::Carried
        || (answer == ProgmanConversation::Answer::None && EffectFollows(effect, sentAt)))
        return {};
    return Failure { std::string(DdeSendFailedText) };
}

ProgmanEffect ShellEffect(ProgmanEffectKind kind, std::string_view group, std::string_view itemTitle)
{
    return ExpectedEffect(kind, ShellFolder(CSIDL_PROGRAMS), group, itemTitle);
}

std::optional<std::vector<std::string>> RequestGroupNames(std::string_view service)
{
    const std::optional<ProgmanConversation> conversation = ProgmanConversation::Open(service);
    if (!conversation)
        return std::nullopt;
    const std::optional<std::string> reply = conversation->Request(GroupsItem, GroupListTimeoutMs);
    if (!reply)
        return std::vector<std::string> {};
    return SplitGroupNames(*reply);
}

std::string StartupGroupName()
{
    return StartupGroupFrom(ReadRegistryString(HKEY_CURRENT_USER, MapGroupsKeyPath, StartupGroupValueName),
        ShellFolder(CSIDL_STARTUP), ShellFolder(CSIDL_PROGRAMS));
}
