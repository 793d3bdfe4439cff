#include "platform/Dde.h"

#include <cstddef>
#include <string>

namespace {

// The client asks for nothing that would make the server call back (no
// advise loops), so every notification is simply declined.
HDDEDATA CALLBACK IgnoreNotifications(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// DdeConnect checks the context's size against the 32-bit record's.
static_assert(sizeof(CONVCONTEXT) == 36);
static_assert(offsetof(CONVCONTEXT, iCodePage) == 12);
static_assert(offsetof(CONVCONTEXT, qos) == 24);

} // namespace

DdeClientInstance DdeClientInstance::Initialize()
{
    DWORD id = 0;
    if (DdeInitializeA(&id, IgnoreNotifications, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        id = 0;
    return DdeClientInstance(id);
}

DWORD ProcessDdeInstance()
{
    static const DdeClientInstance instance = DdeClientInstance::Initialize();
    return instance.Get();
}

DdeStringHandle::DdeStringHandle(DWORD instance, std::string_view text)
    : handle_(
        DdeCreateStringHandleA(instance, std::string(text).c_str(), CP_WINANSI), DdeStringTraits { instance })
{
}

DdeConversation DdeConversation::Connect(
    DWORD instance, const DdeStringHandle& service, const DdeStringHandle& topic)
{
    if (!service || !topic)
        return {};
    CONVCONTEXT context {};
    context.cb = sizeof(context);
    context.iCodePage = CP_WINANSI;
    return DdeConversation(DdeConnect(instance, service.Get(), topic.Get(), &context));
}

UINT DdeConversation::Format() const
{
    CONVINFO info {};
    info.cb = sizeof(info);
    if (DdeQueryConvInfo(conversation_.Get(), QID_SYNC, &info) == 0 || info.wFmt == 0)
        return CF_TEXT;
    return info.wFmt;
}

DdeDataAccess::DdeDataAccess(const DdeDataHandle& data)
{
    if (!data)
        return;
    DWORD size = 0;
    if (const LPBYTE bytes = DdeAccessData(data.Get(), &size)) {
        access_.Reset(data.Get());
        bytes_ = reinterpret_cast<const char*>(bytes);
        size_ = size;
    }
}

std::string_view DdeDataAccess::Bytes() const
{
    if (bytes_ == nullptr)
        return {};
    return std::string_view(bytes_, size_);
}
