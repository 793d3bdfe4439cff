// What DRIM32.EXE says about itself to the system: its version and its
// manifest, read the way Explorer and the loader read them.

#include "Program.h"
#include "program/ProgramValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const std::string Description = "ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール";
constexpr WORD Japanese = 0x0411;
constexpr WORD ShiftJisCodePage = 932;
constexpr WORD UnicodeCodePage = 1200;

// Vista, 7, 8, 8.1 and 10 (11 counts as 10).
const char* const SupportedSystems[] = { "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" };

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override
    {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version resource";
        info_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, size, info_.data()));
    }

    std::string Text(const std::string& block, const std::string& name)
    {
        const std::string path = "\\StringFileInfo\\" + block + "\\" + name;
        char* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(info_.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)
            || length == 0)
            return "<missing " + path + ">";
        // The length counts the final NUL.
        return std::string(value, length - 1);
    }

    std::vector<char> info_;
};

TEST_F(VersionResource, SaysVersion140)
{
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD major = ProgramVersion / 10;
    const DWORD minor = ProgramVersion % 10;
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionResource, NamesTheProductInJapaneseAndInTheNeutralBlock)
{
    WORD* translations = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(
        info_.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
    ASSERT_EQ(length, 4 * sizeof(WORD));
    EXPECT_EQ(translations[0], Japanese);
    EXPECT_EQ(translations[1], ShiftJisCodePage);
    EXPECT_EQ(translations[2], 0);
    EXPECT_EQ(translations[3], UnicodeCodePage);

    for (const std::string block : { "041103A4", "000004B0" }) {
        EXPECT_EQ(Text(block, "ProductName"), std::string(ApplicationTitle)) << block;
        EXPECT_EQ(Text(block, "FileDescription"), Description) << block;
        EXPECT_EQ(Text(block, "CompanyName"), "PALUN RUZI32") << block;
        EXPECT_EQ(Text(block, "OriginalFilename"), "DRIM32.EXE") << block;
        EXPECT_EQ(Text(block, "FileVersion"), "1.4.0.0") << block;
        EXPECT_EQ(Text(block, "ProductVersion"), "1.4.0.0") << block;
    }
}

struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

TEST(Manifest, SetsCodePage932TheUsersOwnRightsTheSupportedSystemsAndGdiScaling)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> image(LoadLibraryExA(
        ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceA(image.get(), MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr) << "no manifest";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image.get(), found)));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, SizeofResource(image.get(), found));

    EXPECT_NE(manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
                            "ja-JP</activeCodePage>"),
        std::string::npos);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    // Scaled by the system, its GDI text drawn at the screen's resolution.
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
                            "false</dpiAware>"),
        std::string::npos);
    EXPECT_NE(manifest.find("<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">"
                            "true</gdiScaling>"),
        std::string::npos);
    for (const char* system : SupportedSystems)
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + system + "\"/>"), std::string::npos)
            << system;
    // The classic controls are the program's look.
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

} // namespace
