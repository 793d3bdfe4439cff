#include "ProgmanStandIn.h"

namespace {

// DDEML's callback carries no context; one stand-in serves at a time.
ProgmanStandIn* current = nullptr;

constexpr DWORD StartTimeoutMs = 10000;

} // namespace

ProgmanStandIn::ProgmanStandIn(Handler handler)
    : handler_(std::move(handler))
    , started_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    current = this;
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    if (thread_ != nullptr)
        WaitForSingleObject(started_, StartTimeoutMs);
}

ProgmanStandIn::~ProgmanStandIn()
{
    if (thread_ != nullptr) {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    CloseHandle(started_);
    current = nullptr;
}

std::vector<std::string> ProgmanStandIn::Commands() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
}

DWORD WINAPI ProgmanStandIn::Run(void* self)
{
    auto& standIn = *static_cast<ProgmanStandIn*>(self);
    DWORD instance = 0;
    MSG message;
    // The thread's message queue exists before anyone can post WM_QUIT to it.
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    if (DdeInitializeA(&instance, Callback,
            APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS
                | CBF_SKIP_ALLNOTIFICATIONS,
            0)
        != DMLERR_NO_ERROR) {
        SetEvent(standIn.started_);
        return 1;
    }
    const HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    standIn.serving_ = DdeNameService(instance, service, nullptr, DNS_REGISTER) != nullptr;
    SetEvent(standIn.started_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return 0;
}

HDDEDATA CALLBACK ProgmanStandIn::Callback(
    UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(TRUE);
    if (type != XTYP_EXECUTE || current == nullptr)
        return nullptr;
    std::string command(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(command.data()), static_cast<DWORD>(command.size()), 0);
    command = command.substr(0, command.find('\0'));
    {
        const std::lock_guard<std::mutex> lock(current->mutex_);
        current->commands_.push_back(command);
    }
    current->handler_(command);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}
