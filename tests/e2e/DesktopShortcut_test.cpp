#include "Observe.h"
#include "Program.h"
#include "SettingsRegistry.h"
#include "TempFolder.h"
#include "TrayDriving.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::string LinkName = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF.lnk";
// 表 ends in 0x5C, the byte of a backslash.
const std::string GroupName = "DRIM32 デスク表";
// The file's content is never read, only copied: any bytes will do.
const std::string LinkBytes("L\0\0\0\x01\x14\x02\0 shortcut \x81\x5C bytes", 27);

constexpr DWORD CopyAppearsMilliseconds = 5000;

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// The desktop shortcut, a copy of the group's shortcut file, with the
// "Programs" and "Desktop" shell folders pointing into a folder of the test.
class DesktopShortcut : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        programs_ = folder_.Path() + "Programs";
        desktop_ = folder_.Path() + "Desktop";
        for (const std::string& path : { programs_, desktop_, GroupFolder() })
            ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
        SetString(ShellFoldersKeyPath, "Programs", programs_);
        SetString(ShellFoldersKeyPath, "Desktop", desktop_);
        SetSetting("Version", "14");
        SetSetting("Group", GroupName);
    }

    void TearDown() override
    {
        resident_.reset();
        FreshSettings::TearDown();
    }

    std::string GroupFolder() const { return programs_ + "\\" + GroupName; }
    std::string GroupLink() const { return GroupFolder() + "\\" + LinkName; }
    std::string DesktopLink() const { return desktop_ + "\\" + LinkName; }

    TempFolder folder_;
    std::string programs_;
    std::string desktop_;
    std::optional<ResidentTray> resident_ { std::in_place };
};

TEST_F(DesktopShortcut, SetCopiesTheGroupsShortcutWithItsDateAndDeleteRemovesIt)
{
    WriteWholeFile(GroupLink(), LinkBytes);
    const FILETIME stamp = FileTimeFromLocal(1999, 12, 31, 23, 59, 58);
    SetLastWriteTime(GroupLink(), stamp);
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'D'));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(DesktopLink()); }, CopyAppearsMilliseconds));
    EXPECT_EQ(ReadWholeFile(DesktopLink()), LinkBytes);
    EXPECT_TRUE(SameTime(LastWriteTime(DesktopLink()), stamp));
    EXPECT_TRUE(FileExists(GroupLink()));

    // The menu now offers the deletion under the same access key.
    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'D'));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(DesktopLink()); }, CopyAppearsMilliseconds));
    EXPECT_TRUE(FileExists(GroupLink()));
    EXPECT_TRUE(VisibleWindows(OptionBoxClass, resident_->Id()).empty());
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
}

TEST_F(DesktopShortcut, SetWithoutTheGroupsShortcutShowsTheFourLineFailure)
{
    ASSERT_NO_FATAL_FAILURE(resident_->Start());

    ASSERT_NO_FATAL_FAILURE(resident_->Choose(MouseButton::Right, 'D'));
    HWND box = WaitForBox(resident_->Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxMessage(box),
        "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF\r\n" + GroupLink() + "\r\n" + DesktopLink() + "\r\n"
            + "デスクトップへの登録に失敗しました・・・");
    PostMessageA(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntilGone(OptionBoxClass, BoxAppearsMilliseconds, resident_->Id()));
    EXPECT_FALSE(FileExists(DesktopLink()));
    ASSERT_NO_FATAL_FAILURE(resident_->Close());
}

} // namespace
