#include "gui/TaskTray.h"

#include "gui/Application.h"
#include "gui/Form.h"
#include "gui/Menu.h"
#include "platform/Module.h"
#include "platform/SystemDpi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// What the component handed to the shell, one entry a call.
struct ShellCall {
    DWORD message;
    NotifyIconRecord record;
};

std::vector<ShellCall> calls;
BOOL shellAnswer = TRUE;

BOOL FakeShell(DWORD message, NotifyIconRecord* record)
{
    calls.push_back({ message, *record });
    return shellAnswer;
}

// Room for the timer messages to arrive late on a busy machine.
constexpr DWORD TimerSlackMilliseconds = 10000;

// Lets the thread's messages run until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

class OwnerForm : public Form {
public:
    OwnerForm()
    {
        FormLayout layout;
        layout.className = "TTrayTestOwner";
        layout.style = WS_OVERLAPPED;
        CreateWindowFromLayout(layout);
    }
};

class TaskTrayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application::Get().Initialize(GetModuleHandleA(nullptr));
        TTaskTray::SetShellNotify(FakeShell);
    }
    static void TearDownTestSuite() { TTaskTray::SetShellNotify(nullptr); }

    void SetUp() override
    {
        calls.clear();
        shellAnswer = TRUE;
    }

    OwnerForm owner;
    HICON picture = LoadIconA(nullptr, IDI_APPLICATION);
};

std::string Tip(const ShellCall& call)
{
    return std::string(call.record.szTip, strnlen(call.record.szTip, sizeof call.record.szTip));
}

std::string MessageOf(const Result<>& result)
{
    return result ? "(no failure)" : result.Message();
}

TEST_F(TaskTrayTest, IdentifiersFollowTheLastEntryOfTheList)
{
    auto first = std::make_unique<TTaskTray>(owner);
    auto second = std::make_unique<TTaskTray>(owner);
    EXPECT_EQ(first->IconID(), 1);
    EXPECT_EQ(second->IconID(), 2);
    second.reset();
    TTaskTray third(owner);
    EXPECT_EQ(third.IconID(), 2);
    EXPECT_TRUE(calls.empty()) << "creation makes no shell call";
}

TEST_F(TaskTrayTest, RegisteringAddsOnceWithTheFullRecord)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetTipString("DRIM32 - SS_OFF"));
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(calls.empty()) << "nothing is sent before the icon is registered";
    EXPECT_TRUE(tray.SetRegistered(true));
    EXPECT_TRUE(tray.SetRegistered(true));
    ASSERT_EQ(calls.size(), 1u);
    const ShellCall& add = calls.front();
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(add.record.cbSize, 88u);
    EXPECT_EQ(add.record.hWnd, TTaskTray::NotifyWindow());
    EXPECT_NE(add.record.hWnd, nullptr);
    EXPECT_EQ(add.record.uID, 1u);
    EXPECT_EQ(add.record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.record.uCallbackMessage, 1126u);
    EXPECT_EQ(add.record.hIcon, tray.Icon());
    EXPECT_EQ(Tip(add), "DRIM32 - SS_OFF");
    EXPECT_TRUE(tray.IconAdded());
}

TEST_F(TaskTrayTest, ChangesModifyAndSameTipSendsNothing)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    calls.clear();
    EXPECT_TRUE(tray.SetTipString(""));
    EXPECT_TRUE(calls.empty()) << "the same (empty) tip again";
    EXPECT_TRUE(tray.SetTipString("ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(Tip(calls.back()), "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール");
}

TEST_F(TaskTrayTest, EmptyTipLeavesTheTipFlagOut)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.front().record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON));
}

TEST_F(TaskTrayTest, LongTipIsCutInsideTheRecordsField)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetTipString(std::string(200, 'a')));
    EXPECT_TRUE(tray.SetRegistered(true));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(Tip(calls.front()), std::string(63, 'a'));
    EXPECT_EQ(calls.front().record.szTip[63], '\0');
}

TEST_F(TaskTrayTest, UnregisteringDeletesOnlyAnAddedIcon)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(false));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(tray.SetRegistered(true));
    EXPECT_TRUE(tray.SetRegistered(false));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(tray.Registered());
    EXPECT_FALSE(tray.IconAdded());
}

TEST_F(TaskTrayTest, ClearingThePictureTakesTheIconOut)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    EXPECT_TRUE(tray.SetIcon(nullptr));
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(tray.Registered());
    EXPECT_EQ(tray.Icon(), nullptr);
}

TEST_F(TaskTrayTest, RegisteringWithoutAPictureFails)
{
    TTaskTray tray(owner);
    EXPECT_EQ(MessageOf(tray.SetRegistered(true)), "アイコンが指定されていません");
    EXPECT_FALSE(tray.Registered());
    EXPECT_TRUE(calls.empty());
}

// An add answered FALSE may still have been carried out by a busy shell:
// taking the icon out deletes it, and the next change after a refused add
// modifies.
TEST_F(TaskTrayTest, ARefusedAddIsDeletedAtTheEndAndModifiedAtTheNextChange)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    shellAnswer = FALSE;
    EXPECT_EQ(MessageOf(tray.SetRegistered(true)), "タスクトレイに登録できません");
    EXPECT_TRUE(tray.Registered());
    EXPECT_FALSE(tray.IconAdded());
    EXPECT_TRUE(tray.SetRegistered(false));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_DELETE));

    EXPECT_FALSE(tray.SetRegistered(true));
    shellAnswer = TRUE;
    EXPECT_TRUE(tray.SetTipString("again"));
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(tray.IconAdded());
}

// A shell that keeps refusing: only the retry timer tries again, the user
// hears of it once after a minute, and once the shell takes the icon the
// timer stops.
TEST_F(TaskTrayTest, ARefusedIconIsRetriedOnATimerUntilTheShellTakesIt)
{
    TTaskTray tray(owner);
    int told = 0;
    tray.OnIconMissing = [&](TTaskTray&) { ++told; };
    EXPECT_TRUE(tray.SetIcon(picture));
    shellAnswer = FALSE;
    EXPECT_FALSE(tray.SetRegistered(true));
    const DWORD minute = TrayRetriesBeforeTelling * TrayRetryInterval;
    ASSERT_TRUE(PumpUntil([&] { return told > 0; }, minute + TimerSlackMilliseconds)) << calls.size();
    // One call an attempt, add and modify in turn.
    ASSERT_EQ(calls.size(), 1u + TrayRetriesBeforeTelling);
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i].message, static_cast<DWORD>(i % 2 == 0 ? NIM_ADD : NIM_MODIFY)) << i;

    shellAnswer = TRUE;
    ASSERT_TRUE(PumpUntil([&] { return tray.IconAdded(); }, TrayRetryInterval + TimerSlackMilliseconds));
    EXPECT_EQ(told, 1);
    const std::size_t callsWhenAdded = calls.size();
    EXPECT_FALSE(PumpUntil([&] { return calls.size() > callsWhenAdded; }, 2 * TrayRetryInterval))
        << "the timer still runs with the icon in the tray";

    // A refused modify says the icon is gone: the retry adds it.
    shellAnswer = FALSE;
    EXPECT_FALSE(tray.SetTipString("refused"));
    shellAnswer = TRUE;
    ASSERT_TRUE(PumpUntil(
        [&] { return calls.size() > callsWhenAdded + 1; }, TrayRetryInterval + TimerSlackMilliseconds));
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(Tip(calls.back()), "refused");
    EXPECT_EQ(told, 1);
}

TEST_F(TaskTrayTest, IdentifierChanges)
{
    TTaskTray tray(owner);
    TTaskTray other(owner);
    EXPECT_EQ(MessageOf(tray.SetIconID(0)), "0以下は指定できません");
    EXPECT_EQ(MessageOf(tray.SetIconID(2)), "同じアイコン識別子が有ります");
    EXPECT_EQ(tray.IconID(), 1);

    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    calls.clear();
    EXPECT_TRUE(tray.SetIconID(1));
    EXPECT_TRUE(calls.empty()) << "the current identifier again changes nothing";
    EXPECT_TRUE(tray.SetIconID(7));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls[0].record.uID, 1u);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(calls[1].record.uID, 7u);
    EXPECT_TRUE(tray.Registered());
}

TEST_F(TaskTrayTest, CallbacksReachTheComponentOfTheirIdentifierOnly)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    std::vector<TrayMouseButton> pressed;
    std::vector<unsigned> shifts;
    tray.OnMouseDown = [&](TTaskTray&, TrayMouseButton button, unsigned shift, int, int) {
        pressed.push_back(button);
        shifts.push_back(shift);
    };
    int released = 0;
    tray.OnMouseUp = [&](TTaskTray&, TrayMouseButton, unsigned, int, int) { ++released; };

    HWND notify = TTaskTray::NotifyWindow();
    SendMessageA(notify, TrayCallbackMessage, 1, WM_RBUTTONDOWN);
    SendMessageA(notify, TrayCallbackMessage, 1, WM_LBUTTONDOWN);
    SendMessageA(notify, TrayCallbackMessage, 1, WM_MBUTTONDOWN);
    SendMessageA(notify, TrayCallbackMessage, 1, WM_RBUTTONUP);
    SendMessageA(notify, TrayCallbackMessage, 9, WM_LBUTTONDOWN);
    SendMessageA(notify, TrayCallbackMessage, 1, WM_MBUTTONDBLCLK);
    ASSERT_EQ(pressed.size(), 3u);
    EXPECT_EQ(pressed[0], TrayMouseButton::Right);
    EXPECT_EQ(shifts[0], static_cast<unsigned>(TrayShiftRight));
    EXPECT_EQ(pressed[1], TrayMouseButton::Left);
    EXPECT_EQ(pressed[2], TrayMouseButton::Middle);
    EXPECT_EQ(released, 1);
}

TEST_F(TaskTrayTest, APressWhileOneIsHandledIsDropped)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    int presses = 0;
    tray.OnMouseDown = [&](TTaskTray&, TrayMouseButton, unsigned, int, int) {
        ++presses;
        EXPECT_TRUE(TTaskTray::TrayBusy());
        SendMessageA(TTaskTray::NotifyWindow(), TrayCallbackMessage, 1, WM_LBUTTONDOWN);
    };
    SendMessageA(TTaskTray::NotifyWindow(), TrayCallbackMessage, 1, WM_RBUTTONDOWN);
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(TTaskTray::TrayBusy());
}

TEST_F(TaskTrayTest, ADestroyedMenuIsForgotten)
{
    TTaskTray tray(owner);
    auto menu = std::make_unique<PopupMenu>(owner);
    tray.SetPopupMenuL(menu.get());
    tray.SetPopupMenuR(menu.get());
    menu.reset();
    EXPECT_EQ(tray.PopupMenuL(), nullptr);
    EXPECT_EQ(tray.PopupMenuR(), nullptr);
}

TEST_F(TaskTrayTest, AnAnnouncedTaskbarGetsTheIconAgain)
{
    TTaskTray tray(owner);
    EXPECT_TRUE(tray.SetIcon(picture));
    EXPECT_TRUE(tray.SetRegistered(true));
    calls.clear();
    std::size_t callsWhenTold = 0;
    tray.OnTaskbarCreated = [&callsWhenTold](TTaskTray&) { callsWhenTold = calls.size(); };
    SendMessageA(owner.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(tray.IconAdded());
    // The owner hears of the new taskbar once the icon is back in it.
    EXPECT_EQ(callsWhenTold, 2u);
}

// The tray's picture size is asked for with the thread system-aware for the
// call alone: the rest of the program stays scaled by the system.
TEST(SmallIconSizeForSystemDpi, LeavesTheThreadsDpiAwarenessAsItFoundIt)
{
    using GetContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using EqualCall = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto getContext = ModuleFunction<GetContextCall>(user32, "GetThreadDpiAwarenessContext");
    const auto equal = ModuleFunction<EqualCall>(user32, "AreDpiAwarenessContextsEqual");
    if (getContext == nullptr || equal == nullptr)
        GTEST_SKIP() << "no per-thread DPI awareness on this system";
    const DPI_AWARENESS_CONTEXT before = getContext();
    EXPECT_EQ(SmallIconSizeForSystemDpi(), GetSystemMetrics(SM_CXSMICON));
    EXPECT_TRUE(equal(getContext(), before));
    EXPECT_FALSE(equal(getContext(), DPI_AWARENESS_CONTEXT_SYSTEM_AWARE));
}

} // namespace
