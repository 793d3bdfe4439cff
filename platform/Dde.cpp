#include "platform/Dde.h"

#include <string>
#include <utility>

namespace {

// The client asks for nothing that would make the server call back (no
// advise loops), so every notification is simply declined.
HDDEDATA CALLBACK IgnoreNotifications(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// DdeConnect checks the context's size against the 32-bit record's.
static_assert(sizeof(CONVCONTEXT) == 36);

} // namespace

DdeClientInstance DdeClientInstance::Initialize()
{
    DWORD id = 0;
    if (DdeInitializeA(&id, IgnoreNotifications, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        id = 0;
    return DdeClientInstance(id);
}

DdeClientInstance::DdeClientInstance(DdeClientInstance&& other) noexcept
    : id_(std::exchange(other.id_, 0))
{
}

DdeClientInstance& DdeClientInstance::operator=(DdeClientInstance&& other) noexcept
{
    if (this != &other) {
        Reset();
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

DdeClientInstance::~DdeClientInstance()
{
    Reset();
}

void DdeClientInstance::Reset()
{
    if (const DWORD old = std::exchange(id_, 0))
        DdeUninitialize(old);
}

DWORD ProcessDdeInstance()
{
    static const DdeClientInstance instance = DdeClientInstance::Initialize();
    return instance.Get();
}

DdeStringHandle::DdeStringHandle(DWORD instance, std::string_view text)
    : instance_(instance)
{
    const std::string terminated(text);
    handle_ = DdeCreateStringHandleA(instance, terminated.c_str(), CP_WINANSI);
}

DdeStringHandle::DdeStringHandle(DdeStringHandle&& other) noexcept
    : instance_(other.instance_)
    , handle_(std::exchange(other.handle_, nullptr))
{
}

DdeStringHandle& DdeStringHandle::operator=(DdeStringHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        instance_ = other.instance_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

DdeStringHandle::~DdeStringHandle()
{
    Reset();
}

void DdeStringHandle::Reset()
{
    if (HSZ old = std::exchange(handle_, nullptr))
        DdeFreeStringHandle(instance_, old);
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

DdeConversation::DdeConversation(DdeConversation&& other) noexcept
    : conversation_(std::exchange(other.conversation_, nullptr))
{
}

DdeConversation& DdeConversation::operator=(DdeConversation&& other) noexcept
{
    if (this != &other) {
        Reset();
        conversation_ = std::exchange(other.conversation_, nullptr);
    }
    return *this;
}

DdeConversation::~DdeConversation()
{
    Reset();
}

void DdeConversation::Reset()
{
    if (HCONV old = std::exchange(conversation_, nullptr))
        DdeDisconnect(old);
}

UINT DdeConversation::Format() const
{
    CONVINFO info {};
    info.cb = sizeof(info);
    if (DdeQueryConvInfo(conversation_, QID_SYNC, &info) == 0 || info.wFmt == 0)
        return CF_TEXT;
    return info.wFmt;
}

DdeDataHandle::DdeDataHandle(DdeDataHandle&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr))
{
}

DdeDataHandle& DdeDataHandle::operator=(DdeDataHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

DdeDataHandle::~DdeDataHandle()
{
    Reset();
}

HDDEDATA DdeDataHandle::Release()
{
    return std::exchange(handle_, nullptr);
}

void DdeDataHandle::Reset()
{
    if (HDDEDATA old = std::exchange(handle_, nullptr))
        DdeFreeDataHandle(old);
}

DdeDataAccess::DdeDataAccess(const DdeDataHandle& data)
{
    if (!data)
        return;
    DWORD size = 0;
    if (const LPBYTE bytes = DdeAccessData(data.Get(), &size)) {
        handle_ = data.Get();
        bytes_ = reinterpret_cast<const char*>(bytes);
        size_ = size;
    }
}

DdeDataAccess::DdeDataAccess(DdeDataAccess&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr))
    , bytes_(std::exchange(other.bytes_, nullptr))
    , size_(std::exchange(other.size_, 0))
{
}

DdeDataAccess& DdeDataAccess::operator=(DdeDataAccess&& other) noexcept
{
    if (this != &other) {
        Reset();
        handle_ = std::exchange(other.handle_, nullptr);
        bytes_ = std::exchange(other.bytes_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

DdeDataAccess::~DdeDataAccess()
{
    Reset();
}

std::string_view DdeDataAccess::Bytes() const
{
    if (bytes_ == nullptr)
        return {};
    return std::string_view(bytes_, size_);
}

void DdeDataAccess::Reset()
{
    bytes_ = nullptr;
    size_ = 0;
    if (HDDEDATA old = std::exchange(handle_, nullptr))
        DdeUnaccessData(old);
}
