#include "BoxDriving.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

// After its script, how long the observer lets the boxes close by
// themselves before it closes them.
constexpr DWORD LeftOpenGrace = 3000;

constexpr char RunnerClass[] = "DrimTestMainThreadRunner";
constexpr UINT RunnerPost = WM_APP + 1;
constexpr UINT RunnerCall = WM_APP + 2;

LRESULT CALLBACK RunnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RunnerPost || message == RunnerCall) {
        auto* work = reinterpret_cast<std::function<void()>*>(lParam);
        (*work)();
        if (message == RunnerPost)
            delete work;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

BoxObserver::BoxObserver(std::function<void()> script)
{
    mainThread_ = GetCurrentThreadId();
    thread_ = std::thread([script = std::move(script)] {
        script();
        std::vector<HWND> open;
        WaitUntil(
            [&open] {
                open.clear();
                for (const char* className : AllBoxClasses)
                    for (HWND box : BoxWindows(className))
                        open.push_back(box);
                return open.empty();
            },
            LeftOpenGrace);
        if (open.empty())
            return;
        ADD_FAILURE() << open.size() << " box(es) left open by the script";
        // The innermost box first: an outer one ends its loop only after.
        for (HWND box : open)
            PostMessageA(box, WM_CLOSE, 0, 0);
        for (HWND box : open)
            WaitUntilGone(box);
    });
}

BoxObserver::~BoxObserver()
{
    thread_.join();
}

MainThreadRunner::MainThreadRunner()
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = RunnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = RunnerClass;
    RegisterClassA(&windowClass);
    // Never shown, so a modal box does not disable it, and without the
    // window data the forms of the program keep their own pointer in.
    window_ = CreateWindowExA(
        0, RunnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

MainThreadRunner::~MainThreadRunner()
{
    DestroyWindow(window_);
}

void MainThreadRunner::Post(std::function<void()> work) const
{
    PostMessageA(
        window_, RunnerPost, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(work))));
}

void MainThreadRunner::Call(std::function<void()> work) const
{
    SendMessageA(window_, RunnerCall, 0, reinterpret_cast<LPARAM>(&work));
}

LabelRecorder::LabelRecorder()
{
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId());
}

LabelRecorder::~LabelRecorder()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    active_ = nullptr;
}

LRESULT CALLBACK LabelRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && active_ != nullptr) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_SETTEXT || call->message == WM_WINDOWPOSCHANGED)
            active_->Record(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void LabelRecorder::Record(HWND window)
{
    HWND box = GetParent(window);
    if (box == nullptr || !IsBoxClass(ClassOf(box)) || !IsCountLabel(window))
        return;
    RECT client {};
    GetClientRect(box, &client);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    entries_.push_back(Entry { GetTickCount(), window, text, RectInParent(window, box), client.right });
}

std::vector<std::string> LabelRecorder::TextsOf(HWND label) const
{
    std::vector<std::string> texts;
    for (const Entry& entry : entries_)
        if (entry.label == label && (texts.empty() || texts.back() != entry.text))
            texts.push_back(entry.text);
    return texts;
}

std::vector<HWND> LabelRecorder::Labels() const
{
    std::vector<HWND> labels;
    for (const Entry& entry : entries_)
        if (std::find(labels.begin(), labels.end(), entry.label) == labels.end())
            labels.push_back(entry.label);
    return labels;
}
