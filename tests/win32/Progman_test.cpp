#include "shell/ProgmanLink.h"

#include "StartupFolder.h"
#include "TempFolder.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

constexpr DWORD ServerStartTimeoutMs = 30000;
constexpr DWORD ServerEffectTimeoutMs = 10000;
constexpr DWORD PollIntervalMs = 50;
// A program that should not have been started is given this long to show.
constexpr DWORD NothingStartsTimeoutMs = 3000;

const std::string ItemTitle = "ｽｸﾘｰﾝｾｰﾊﾞｰ 省電力OFF";

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Lets messages run until `done` holds or the time is up; the result is
// `done`'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = ServerEffectTimeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollIntervalMs, QS_ALLINPUT);
    }
}

// Connects without the product's start attempt, which would launch another
// program while the shell is still coming up.
bool ShellServerAnswers()
{
    const DWORD instance = ProcessDdeInstance();
    const DdeStringHandle service(instance, ProgmanService);
    const DdeStringHandle topic(instance, ProgmanTopic);
    return static_cast<bool>(DdeConversation::Connect(instance, service, topic));
}

std::string ProgramsFolder()
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE))
        return {};
    return path;
}

std::string SystemProgram(const char* name)
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Success, or the failure's text as the reason.
::testing::AssertionResult Carried(const Result<>& result)
{
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.Message();
}

std::string FailureText(const Result<>& result)
{
    return result ? "<carried out>" : result.Message();
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A group folder made by the shell, removed with its contents at the end.
class ShellGroup {
public:
    explicit ShellGroup(std::string name)
        : name_(std::move(name))
        , folder_(ProgramsFolder() + "\\" + name_)
    {
    }
    ~ShellGroup()
    {
        DeleteFileA(ItemFile().c_str());
        RemoveDirectoryA(ItemFile().c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    ShellGroup(const ShellGroup&) = delete;
    ShellGroup& operator=(const ShellGroup&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Folder() const { return folder_; }
    std::string ItemFile() const { return folder_ + "\\" + ItemTitle + ".lnk"; }

private:
    std::string name_;
    std::string folder_;
};

class ProgmanLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 932u) << "the Japanese names need code page 932";
        ASSERT_FALSE(ProgramsFolder().empty());
        // The shell's desktop, which serves PROGMAN, may still be starting.
        ASSERT_TRUE(WaitUntil(ShellServerAnswers, ServerStartTimeoutMs))
            << "no PROGMAN server in this prefix";
    }
};

TEST_F(ProgmanLinkTest, CreatesAJapaneseGroupAddsAndDeletesTheItem)
{
    // 表 ends in 0x5C, the byte of a backslash.
    const ShellGroup group("テスト表グループ");
    const std::string title = QuotedItemTitle(ItemTitle);

    // The answer comes once the command is carried out: nothing is waited
    // for after it.
    ASSERT_TRUE(Carried(ProgmanExecute(CreateGroupCommand(group.Name()))));
    ASSERT_TRUE(FolderExists(group.Folder())) << group.Folder();

    ASSERT_TRUE(Carried(ProgmanExecute(AddItemCommand(SystemProgram("notepad.exe"), title))));
    ASSERT_TRUE(FileExists(group.ItemFile())) << group.ItemFile();

    const std::optional<std::vector<std::string>> names = RequestGroupNames();
    ASSERT_TRUE(names.has_value());
    EXPECT_TRUE(Contains(*names, group.Name()));

    EXPECT_TRUE(Carried(ProgmanExecute(DeleteItemCommand(title))));
    EXPECT_FALSE(FileExists(group.ItemFile())) << group.ItemFile();
    EXPECT_TRUE(FolderExists(group.Folder()));
}

TEST_F(ProgmanLinkTest, ShowGroupMakesTheGroupActiveForDeleteItem)
{
    const ShellGroup first("DRIM32 表示A");
    const ShellGroup second("DRIM32 表示B");
    const std::string title = QuotedItemTitle(ItemTitle);

    for (const ShellGroup* group : { &first, &second }) {
        ASSERT_TRUE(Carried(ProgmanExecute(CreateGroupCommand(group->Name()))));
        ASSERT_TRUE(Carried(ProgmanExecute(AddItemCommand(SystemProgram("notepad.exe"), title))));
        ASSERT_TRUE(FileExists(group->ItemFile())) << group->ItemFile();
    }

    ASSERT_TRUE(Carried(ProgmanExecute(ShowGroupCommand(first.Name()))));
    ASSERT_TRUE(Carried(ProgmanExecute(DeleteItemCommand(title))));
    EXPECT_FALSE(FileExists(first.ItemFile()));
    EXPECT_TRUE(FileExists(second.ItemFile()));
}

// Program Manager's refusals come back as the send failure, and the next
// command is unaffected: a missing item, an item for a group that cannot
// exist, a program that does not exist, a command it does not know.
TEST_F(ProgmanLinkTest, RefusedCommandsReportTheSendFailure)
{
    const ShellGroup group("DRIM32 空");
    ASSERT_TRUE(Carried(ProgmanExecute(CreateGroupCommand(group.Name()))));
    EXPECT_EQ(FailureText(ProgmanExecute(DeleteItemCommand(QuotedItemTitle("どこにもない項目")))),
        DdeSendFailedText);
    EXPECT_EQ(FailureText(ProgmanExecute(AddItemCommand("C:\\no\\such.exe", QuotedItemTitle(ItemTitle)))),
        DdeSendFailedText);
    EXPECT_EQ(FailureText(ProgmanExecute("[NoSuchCommand(1)]\r\n")), DdeSendFailedText);
    EXPECT_TRUE(Carried(ProgmanExecute(ShowGroupCommand(group.Name()))));

    // A folder where the item's shortcut file would go: the shell cannot
    // save the item.
    ASSERT_TRUE(CreateDirectoryA(group.ItemFile().c_str(), nullptr));
    EXPECT_EQ(
        FailureText(ProgmanExecute(AddItemCommand(SystemProgram("notepad.exe"), QuotedItemTitle(ItemTitle)))),
        DdeSendFailedText);
}

TEST_F(ProgmanLinkTest, ConversationUsesTextFormat)
{
    const std::optional<ProgmanConversation> conversation = ProgmanConversation::Open();
    ASSERT_TRUE(conversation.has_value());
    EXPECT_EQ(conversation->Format(), static_cast<UINT>(CF_TEXT));
}

// The test's stand-in program, which writes its command line beside itself.
std::string RecorderPath()
{
    const char* configured = std::getenv("DRIM_COMMAND_RECORDER");
    std::string path = configured == nullptr ? "" : configured;
    if (!path.empty() && path.front() == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
    return path;
}

TEST(ProgmanUnreachable, ReportsTheOpenFailureAndStartsNothingFromTheCurrentFolder)
{
    // Nobody serves this name and the system has no program of that name.
    // One lies in the current folder, where a start by bare name would find
    // it; it must stay unused.
    const std::string recorder = RecorderPath();
    ASSERT_FALSE(recorder.empty()) << "DRIM_COMMAND_RECORDER is not set";
    const TempFolder current;
    const std::string planted = current / "NOSUCHSERVICE.EXE";
    ASSERT_TRUE(CopyFileA(recorder.c_str(), planted.c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(current.Path().c_str()));

    EXPECT_FALSE(ProgmanConversation::Open("NOSUCHSERVICE", "NOSUCHSERVICE").has_value());
    EXPECT_EQ(FailureText(ProgmanExecute(CreateGroupCommand("X"), {}, "NOSUCHSERVICE")), DdeOpenFailedText);
    EXPECT_FALSE(RequestGroupNames("NOSUCHSERVICE").has_value());
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(WaitUntil([&] { return FileExists(planted + ".cmdline"); }, NothingStartsTimeoutMs))
        << "the planted program ran";
}

// Sets up MapGroups for one test and puts back what was there before.
class MapGroupsTest : public ::testing::Test {
protected:
    const std::string keyPath { MapGroupsKeyPath };
    const std::string valueName { StartupGroupValueName };

    void SetUp() override
    {
        if (const std::optional<RegistryKey> key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, keyPath)) {
            keyExisted_ = true;
            saved_ = key->ReadString(valueName);
        }
        DeleteKey();
    }
    void TearDown() override
    {
        DeleteKey();
        if (!keyExisted_)
            return;
        const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
        if (key && saved_.kind == SettingValue::Kind::Text) {
            EXPECT_TRUE(key->WriteString(valueName, saved_.text));
        }
    }

    void DeleteKey() { RegDeleteKeyA(HKEY_CURRENT_USER, keyPath.c_str()); }

private:
    bool keyExisted_ = false;
    SettingValue saved_;
};

// As on today's systems: the Startup folder lies in the Programs folder,
// and its own name is the group's.
TEST_F(MapGroupsTest, MissingKeyOrValueGivesTheStartupFoldersName)
{
    char startup[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup), S_OK);
    ASSERT_EQ(ProgramsFolder() + "\\StartUp", startup);
    EXPECT_EQ(StartupGroupName(), "StartUp");
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(key->WriteString(valueName, ""));
    EXPECT_EQ(StartupGroupName(), "StartUp");
}

TEST_F(MapGroupsTest, AStartupFolderOutsideProgramsGivesNoName)
{
    const TempFolder folder;
    const std::string startup = folder / "StartUp";
    ASSERT_TRUE(CreateDirectoryA(startup.c_str(), nullptr));
    const StartupFolderElsewhere elsewhere(startup);
    EXPECT_EQ(StartupGroupName(), "");
}

TEST_F(MapGroupsTest, ReadsTheStartupGroupsName)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(key->WriteString(valueName, "スタートアップ"));
    EXPECT_EQ(StartupGroupName(), "スタートアップ");
}

TEST_F(MapGroupsTest, ANameLongerThanAnyFolderNameGivesNoName)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(key->WriteString(valueName, std::string(255, 'g')));
    EXPECT_EQ(StartupGroupName(), std::string(255, 'g'));
    ASSERT_TRUE(key->WriteString(valueName, std::string(256, 'g')));
    EXPECT_EQ(StartupGroupName(), "");
}

TEST_F(MapGroupsTest, ValueOfAnotherTypeGivesNoName)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.has_value());
    const DWORD number = 7;
    ASSERT_EQ(RegSetValueExA(key->Get(), valueName.c_str(), 0, REG_DWORD,
                  reinterpret_cast<const BYTE*>(&number), sizeof(number)),
        ERROR_SUCCESS);
    EXPECT_EQ(StartupGroupName(), "");
}

} // namespace
