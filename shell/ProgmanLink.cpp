#include "shell/ProgmanLink.h"

#include "platform/Registry.h"
#include "platform/SystemFolders.h"
#include "platform/WinExec.h"

#include <shlobj.h>

#include <utility>

namespace {

constexpr DWORD GroupListTimeoutMs = 10000;

// DDEML's marker for "the data argument is a data handle".
constexpr DWORD DataHandleLength = static_cast<DWORD>(-1);

// A shell folder's path; empty when the system names none.
std::string ShellFolder(int folder)
{
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return path;
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

bool ProgmanConversation::Execute(const std::string& command) const
{
    // The server expects the command's terminating zero as part of the data.
    DdeDataHandle data(
        DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
            static_cast<DWORD>(command.size() + 1), 0, nullptr, format_, 0));
    if (!data)
        return false;
    // A data handle passed to a transaction belongs to DDEML from then on.
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(data.Release()), DataHandleLength,
               conversation_.Get(), nullptr, format_, XTYP_EXECUTE, ProgmanAnswerTimeoutMs, nullptr)
        != 0;
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

Result<> ProgmanExecute(const std::string& command, std::string_view service)
{
    const std::optional<ProgmanConversation> conversation = ProgmanConversation::Open(service);
    if (!conversation)
        return Failure { std::string(DdeOpenFailedText) };
    if (!conversation->Execute(command))
        return Failure { std::string(DdeSendFailedText) };
    return {};
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
