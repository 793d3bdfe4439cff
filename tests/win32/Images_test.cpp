#include "resources/ImageIds.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int PictureSize = 32;
// The sizes each icon holds a picture of: the large icon, and the taskbar's
// at 150 %, 125 % and 100 %.
constexpr int IconSizes[] = { 32, 24, 20, 16 };
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Cyan = RGB(0, 255, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
// Painted under each icon before drawing it: any of it left shows a
// transparent pixel.  No colour of the 16-colour palette.
constexpr COLORREF Sentinel = RGB(1, 2, 3);

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

UniqueIcon LoadIconResource(LPCSTR name, int size)
{
    return UniqueIcon(
        static_cast<HICON>(LoadImageA(Module(), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// The header of the image the system picks from the icon group `name` for
// `size`: its own width shows whether a picture of that size is there, where
// a load would stretch another.
const BITMAPINFOHEADER* PickedImage(LPCSTR name, int size)
{
    const HRSRC group = FindResourceA(Module(), name, RT_GROUP_ICON);
    if (group == nullptr)
        return nullptr;
    auto* directory = static_cast<PBYTE>(LockResource(LoadResource(Module(), group)));
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    const HRSRC image = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_ICON);
    if (image == nullptr)
        return nullptr;
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), image)));
}

UniqueBitmap LoadBitmapResource(int id, UINT flags)
{
    return UniqueBitmap(
        static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, flags)));
}

BITMAP BitmapInfo(HBITMAP bitmap)
{
    BITMAP info {};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    return info;
}

// The picture as a person sees it: COLORREFs, top row first.
class Pixels {
public:
    Pixels(std::vector<COLORREF> colours, int size)
        : colours_(std::move(colours))
        , size_(size)
    {
    }
    COLORREF At(int x, int y) const { return colours_.at(static_cast<std::size_t>(y * size_ + x)); }

private:
    std::vector<COLORREF> colours_;
    int size_;
};

Pixels ReadPixels(HDC dc, int size = PictureSize)
{
    std::vector<COLORREF> colours;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            colours.push_back(GetPixel(dc, x, y));
    return Pixels(std::move(colours), size);
}

Pixels DrawnIcon(HICON icon, int size)
{
    UniqueDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap canvas(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_TRUE(canvas);
    const HGDIOBJ old = SelectObject(dc.get(), canvas.get());
    const RECT all { 0, 0, size, size };
    HBRUSH sentinel = CreateSolidBrush(Sentinel);
    FillRect(dc.get(), &all, sentinel);
    DeleteObject(sentinel);
    EXPECT_TRUE(DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
    Pixels pixels = ReadPixels(dc.get(), size);
    SelectObject(dc.get(), old);
    return pixels;
}

Pixels BitmapPixels(HBITMAP bitmap)
{
    UniqueDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ old = SelectObject(dc.get(), bitmap);
    Pixels pixels = ReadPixels(dc.get());
    SelectObject(dc.get(), old);
    return pixels;
}

// Numbered resources written the way resource scripts name them, "#101".
std::string NumberedName(ULONG_PTR id)
{
    std::string name = "#";
    name += std::to_string(id);
    return name;
}

BOOL CALLBACK CollectIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR collected)
{
    auto& names = *reinterpret_cast<std::vector<std::string>*>(collected);
    names.push_back(IS_INTRESOURCE(name) ? NumberedName(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

TEST(ProgramIcons, MainIconIsTheFirstIconGroupBeforeTheNumberedOnes)
{
    std::vector<std::string> names;
    ASSERT_TRUE(
        EnumResourceNamesA(Module(), RT_GROUP_ICON, CollectIconGroup, reinterpret_cast<LONG_PTR>(&names)));
    const std::vector<std::string> expected { "MAINICON", NumberedName(IDI_TRAYWINDOW),
        NumberedName(IDI_IMAGE1), NumberedName(IDI_IMAGE2) };
    EXPECT_EQ(names, expected);
}

struct IconCase {
    const char* label;
    LPCSTR name;
    COLORREF background;
    COLORREF letters;
    POINT letterPixel[std::size(IconSizes)];
    bool crossedOut;
};

// Points picked from the pixel maps, one for each of the sizes: a stem of
// the first "O" clear of the X, and the middle and one end of the X, where
// only a crossed-out picture has red.
const IconCase iconCases[] = {
    { "MAINICON", "MAINICON", Blue, White, { { 2, 8 }, { 2, 5 }, { 1, 4 }, { 1, 3 } }, false },
    { "IDI_TRAYWINDOW", MAKEINTRESOURCEA(IDI_TRAYWINDOW), Blue, White,
        { { 2, 8 }, { 2, 5 }, { 1, 4 }, { 1, 3 } }, true },
    { "IDI_IMAGE1", MAKEINTRESOURCEA(IDI_IMAGE1), Cyan, Black, { { 14, 8 }, { 5, 8 }, { 3, 4 }, { 2, 3 } },
        false },
    { "IDI_IMAGE2", MAKEINTRESOURCEA(IDI_IMAGE2), Cyan, Black, { { 14, 8 }, { 5, 8 }, { 3, 4 }, { 2, 3 } },
        true },
};

TEST(ProgramIcons, EachHoldsAPictureOfEachSize)
{
    for (const IconCase& c : iconCases) {
        for (const int size : IconSizes) {
            SCOPED_TRACE(std::string(c.label) + " " + std::to_string(size));
            const BITMAPINFOHEADER* picked = PickedImage(c.name, size);
            ASSERT_NE(picked, nullptr);
            EXPECT_EQ(picked->biWidth, size);
            // The colour and the mask bitmaps one above the other.
            EXPECT_EQ(picked->biHeight, 2 * size);
        }
    }
}

TEST(ProgramIcons, EachLoadsAsAnOpaqueIconOfEachSize)
{
    for (const IconCase& c : iconCases) {
        for (const int size : IconSizes) {
            SCOPED_TRACE(std::string(c.label) + " " + std::to_string(size));
            const UniqueIcon icon = LoadIconResource(c.name, size);
            ASSERT_TRUE(icon);
            ICONINFO info {};
            ASSERT_TRUE(GetIconInfo(icon.get(), &info));
            const UniqueBitmap colour(info.hbmColor);
            const UniqueBitmap mask(info.hbmMask);
            ASSERT_TRUE(colour);
            EXPECT_TRUE(info.fIcon);
            EXPECT_EQ(BitmapInfo(colour.get()).bmWidth, size);
            EXPECT_EQ(BitmapInfo(colour.get()).bmHeight, size);

            const Pixels drawn = DrawnIcon(icon.get(), size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    ASSERT_NE(drawn.At(x, y), Sentinel) << "transparent at " << x << "," << y;
        }
    }
}

TEST(ProgramIcons, ShowTheirColoursAndOnlyTheCrossedOutOnesTheRedX)
{
    for (const IconCase& c : iconCases) {
        for (std::size_t i = 0; i < std::size(IconSizes); ++i) {
            const int size = IconSizes[i];
            SCOPED_TRACE(std::string(c.label) + " " + std::to_string(size));
            const UniqueIcon icon = LoadIconResource(c.name, size);
            ASSERT_TRUE(icon);
            const Pixels drawn = DrawnIcon(icon.get(), size);
            EXPECT_EQ(drawn.At(0, size / 2), c.background);
            EXPECT_EQ(drawn.At(c.letterPixel[i].x, c.letterPixel[i].y), c.letters);
            EXPECT_EQ(drawn.At(size / 2, size / 2) == Red, c.crossedOut);
            EXPECT_EQ(drawn.At(1, 1) == Red, c.crossedOut);
        }
    }
}

struct SymbolCase {
    const char* label;
    int id;
    COLORREF key;
    COLORREF disc;
};

const SymbolCase symbolCases[] = {
    { "IDB_INFO_SYMBOL", IDB_INFO_SYMBOL, Red, Blue },
    { "IDB_QUESTION_SYMBOL", IDB_QUESTION_SYMBOL, Black, Red },
};

TEST(BoxSymbols, LoadAs32By32SixteenColourBitmaps)
{
    for (const SymbolCase& c : symbolCases) {
        SCOPED_TRACE(c.label);
        const UniqueBitmap loaded = LoadBitmapResource(c.id, LR_DEFAULTCOLOR);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(BitmapInfo(loaded.get()).bmWidth, PictureSize);
        EXPECT_EQ(BitmapInfo(loaded.get()).bmHeight, PictureSize);

        // A plain load converts to the screen's depth; a section keeps the
        // resource's own.
        const UniqueBitmap section = LoadBitmapResource(c.id, LR_DEFAULTCOLOR | LR_CREATEDIBSECTION);
        ASSERT_TRUE(section);
        DIBSECTION dib {};
        ASSERT_EQ(GetObjectA(section.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBmih.biBitCount, 4);
        EXPECT_EQ(dib.dsBmih.biWidth, PictureSize);
        EXPECT_EQ(std::abs(dib.dsBmih.biHeight), PictureSize);
    }
}

TEST(BoxSymbols, KeyColourSurroundsTheRingAndNeverAppearsInsideIt)
{
    // The key colour is replaced by the box's background when the symbol is
    // drawn: a key pixel inside the ring would punch a hole in the symbol.
    constexpr double insideRing = 14.5;
    constexpr double outsideRing = 15.5;
    for (const SymbolCase& c : symbolCases) {
        SCOPED_TRACE(c.label);
        const UniqueBitmap bitmap = LoadBitmapResource(c.id, LR_DEFAULTCOLOR);
        ASSERT_TRUE(bitmap);
        const Pixels pixels = BitmapPixels(bitmap.get());
        EXPECT_EQ(pixels.At(0, 0), c.key);
        EXPECT_EQ(pixels.At(7, PictureSize / 2), c.disc);
        EXPECT_EQ(pixels.At(PictureSize / 2, 0), c.key);
        EXPECT_EQ(pixels.At(PictureSize / 2, 1), White);
        for (int y = 0; y < PictureSize; ++y) {
            for (int x = 0; x < PictureSize; ++x) {
                const double distance = std::hypot(x + 0.5 - PictureSize / 2, y + 0.5 - PictureSize / 2);
                if (distance < insideRing) {
                    EXPECT_NE(pixels.At(x, y), c.key) << x << "," << y;
                } else if (distance > outsideRing) {
                    EXPECT_EQ(pixels.At(x, y), c.key) << x << "," << y;
                }
            }
        }
    }
}

TEST(DrivePictures, FiveSideBySideInTheOrderOfTheDriveKinds)
{
    // The browser draws the fifth of the drive's kind: removable, fixed,
    // network, CD-ROM, RAM disk.  Each is checked at a pixel only it has.
    const UniqueBitmap strip = LoadBitmapResource(IDB_DRIVES, LR_CREATEDIBSECTION);
    ASSERT_TRUE(strip);
    EXPECT_EQ(BitmapInfo(strip.get()).bmWidth, 5 * 16);
    EXPECT_EQ(BitmapInfo(strip.get()).bmHeight, 9);
    UniqueDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ old = SelectObject(dc.get(), strip.get());
    EXPECT_EQ(GetPixel(dc.get(), 0, 1), Black); // the slot drive's top edge
    EXPECT_EQ(GetPixel(dc.get(), 16, 1), Red); // the lower, flat box
    EXPECT_EQ(GetPixel(dc.get(), 32, 8), RGB(0, 0, 128)); // the cable
    EXPECT_EQ(GetPixel(dc.get(), 52, 0), Cyan); // the disc tray
    EXPECT_EQ(GetPixel(dc.get(), 65, 7), RGB(255, 255, 0)); // a contact
    SelectObject(dc.get(), old);
}

} // namespace
