#pragma once

// One tray window in the test's own process, over shell folders of its
// own, and what a test needs to watch it: the windows it opens (its menus
// and its option boxes, which are modal and so are read and closed from a
// second thread) and the registry values it reads and writes.

#include "gui/Application.h"
#include "platform/Registry.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "shell/Progman.h"
#include "tray/DrIMFM.h"

#include "StartupFolder.h"
#include "TempFolder.h"
#include "TrayProbe.h"
#include "WindowProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace TrayWindowProbe {

inline constexpr char SettingsKeyPath[] = "Software\\PALUN RUZI32\\DRIM32";
inline constexpr char ShellFoldersKeyPath[]
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// MN_GETHMENU: asks a menu window for the menu it shows.
inline constexpr UINT MenuWindowGetMenu = 0x01E1;

// Long enough for a box or menu to come up on a slow machine, far shorter
// than the box's own ten-second countdown would take to close it.
inline constexpr DWORD WindowAppearsMs = 8000;
inline constexpr DWORD SendTimeoutMs = 5000;
inline constexpr DWORD PollMs = 20;

// 表 ends in 0x5C, the byte of a backslash.
inline const std::string GroupName = "テスト表グループ";
inline const std::string LinkName = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk";

// Names each case of a table after its label.
struct LabelOfCase {
    template <class Info> std::string operator()(const Info& testInfo) const { return testInfo.param.label; }
};

// The option box is modal: the thread that opens it is inside its message
// loop until it closes, so a thread of its own reads and closes it.
class BoxCloser {
public:
    using WhileOpen = std::function<void(HWND box)>;

    explicit BoxCloser(WhileOpen whileOpen = {})
        : whileOpen_(std::move(whileOpen))
        , thread_([this] { Run(); })
    {
    }
    ~BoxCloser() { Join(); }
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;

    // The text of the box that came, or nothing.
    std::optional<std::string> Text()
    {
        Join();
        return text_;
    }

private:
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    void Run()
    {
        HWND box = WaitForVisibleWindow(OptionBoxClass, GetCurrentProcessId(), WindowAppearsMs);
        if (box == nullptr)
            return;
        text_ = BoxMessage(box);
        if (whileOpen_)
            whileOpen_(box);
        PostMessageA(box, WM_CLOSE, 0, 0);
    }

    WhileOpen whileOpen_;
    std::optional<std::string> text_;
    std::thread thread_;
};

// Counts the windows this thread creates, by class: a menu or a box that
// opened and closed again leaves no other trace.
class CreatedWindows {
public:
    CreatedWindows()
        : hook_(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId()))
    {
        current_ = this;
    }
    ~CreatedWindows()
    {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    CreatedWindows(const CreatedWindows&) = delete;
    CreatedWindows& operator=(const CreatedWindows&) = delete;

    int Count(const std::string& className) const
    {
        const auto found = counts_.find(className);
        return found == counts_.end() ? 0 : found->second;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && current_ != nullptr)
            ++current_->counts_[ClassOf(reinterpret_cast<HWND>(wParam))];
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CreatedWindows* current_ = nullptr;
    HHOOK hook_;
    std::map<std::string, int> counts_;
};

inline std::string ModulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

inline void WriteValue(const char* keyPath, const std::string& name, const std::string& value)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(key->WriteString(name, value));
}

inline void RemoveValue(const char* keyPath, const std::string& name)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    // A value that is not there is already removed.
    static_cast<void>(key->DeleteValue(name));
}

inline std::optional<std::string> ReadValue(const std::string& name)
{
    const SettingValue value = ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, name);
    if (value.kind != SettingValue::Kind::Text)
        return std::nullopt;
    return value.text;
}

inline bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// One tray window over folders of its own: the shell folders of the
// registry point into a temporary folder, so the shortcut files the menus
// look at are the test's.
class TrayWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool initialised = false;
        if (initialised)
            return;
        initialised = true;
        Application::Get().Initialize(GetModuleHandleA(nullptr));
        Application::Get().SetTitle(std::string(ApplicationTitle));
        Program().programPath = ModulePath();
        Program().programFolder = Program().programPath.substr(0, Program().programPath.rfind('\\') + 1);
    }

    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u) << "the Japanese captions need code page 932";
        desktop_ = folder_.Path() + "Desktop";
        startup_ = folder_.Path() + "Startup";
        programs_ = folder_.Path() + "Programs";
        for (const std::string& path : { desktop_, startup_, programs_, GroupFolder() })
            ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
        WriteValue(ShellFoldersKeyPath, "Desktop", desktop_);
        WriteValue(ShellFoldersKeyPath, "Startup", startup_);
        WriteValue(ShellFoldersKeyPath, "Programs", programs_);
        // The system's Startup folder outside its Programs folder: no Startup
        // group, and no command ever reaches the shell's.
        startupElsewhere_.emplace(startup_);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
        WriteValue(SettingsKeyPath, "Version", "14");
        WriteValue(SettingsKeyPath, "Group", GroupName);
        RegDeleteKeyA(HKEY_CURRENT_USER, std::string(MapGroupsKeyPath).c_str());
    }

    void TearDown() override
    {
        tray_.reset();
        startupElsewhere_.reset();
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKeyPath);
    }

    // Made after the test has set up the registry: the window reads its
    // settings and shell folders once, when it is created.
    TSDRIM32PALUN& Tray()
    {
        if (!tray_)
            tray_ = std::make_unique<TSDRIM32PALUN>();
        return *tray_;
    }

    MenuItem& Item1(const char* name) { return *Tray().PopupMenu1().Find(name); }
    MenuItem& Item2(const char* name) { return *Tray().PopupMenu2().Find(name); }

    std::string GroupFolder() const { return programs_ + "\\" + GroupName; }
    std::string GroupLink() const { return GroupFolder() + "\\" + LinkName; }
    std::string DesktopLink() const { return desktop_ + "\\" + LinkName; }
    std::string StartupLink() const { return startup_ + "\\" + LinkName; }

    TempFolder folder_;
    std::optional<StartupFolderElsewhere> startupElsewhere_;
    std::string desktop_;
    std::string startup_;
    std::string programs_;
    CreatedWindows created_;
    std::unique_ptr<TSDRIM32PALUN> tray_;
};

} // namespace TrayWindowProbe
