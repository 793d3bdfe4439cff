// The items' shortcut files that the program writes itself where the shell
// reads another code page.

#include "program/ProgramValues.h"
#include "shell/ItemFiles.h"
#include "shell/Progman.h"
#include "shell/ShellCodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace {

constexpr char Group[] = "DRIM item files";
constexpr unsigned EnglishShell = 1252;

// The item's file in the Programs folder, its code page 932 name read in
// `codePage` as the shell of that code page reads it.
std::wstring ItemFile(unsigned codePage)
{
    wchar_t programs[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs) != S_OK)
        return {};
    const std::string relative = "\\" + ItemShortcutPath(Group, ItemTitle);
    wchar_t name[MAX_PATH] = {};
    MultiByteToWideChar(codePage, 0, relative.c_str(), -1, name, MAX_PATH);
    return std::wstring(programs) + name;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ItemFiles, TheGarbledItemGoesOnceTheNewOneIsSavedAndAnUnbuildablePathIsAnItemKept)
{
    const std::wstring garbled = ItemFile(EnglishShell);
    const std::wstring own = ItemFile(ProgramCodePage);
    ASSERT_FALSE(garbled.empty());
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, garbled.substr(0, garbled.rfind(L'\\')).c_str(), nullptr),
        ERROR_SUCCESS);
    const HANDLE earlier = CreateFileW(garbled.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(earlier, INVALID_HANDLE_VALUE);
    CloseHandle(earlier);
    char program[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);

    EXPECT_TRUE(AddItemFile(Group, program, EnglishShell));
    EXPECT_TRUE(Exists(own));
    EXPECT_FALSE(Exists(garbled)) << "the program would start twice at every logon";

    EXPECT_FALSE(DeleteItemFiles(std::string(MAX_PATH, 'g'), EnglishShell))
        << "a path that cannot be built tells nothing of the item";
    EXPECT_TRUE(DeleteItemFiles(Group, EnglishShell));
    EXPECT_FALSE(Exists(own));
}

} // namespace
