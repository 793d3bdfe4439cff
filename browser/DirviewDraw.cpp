#include "browser/Dirview.h"

#include "gui/Look.h"

#include <algorithm>

namespace {

// Pure red in the pictures takes the colour of the item behind them.
constexpr COLORREF PictureKey = RGB(255, 0, 0);

constexpr int LevelIndent = 4;
constexpr int FolderTextLeft = 2;
constexpr int DriveLeft = 1;
constexpr int DrivePictureTop = 5;
constexpr int DrivePictureGap = 4;
constexpr int DrivePictureCount = 5;

constexpr int ScrollLine = 16;

// The layout's client area, which the scroll bars let the user reach in a
// smaller window.
constexpr int LayoutWidth = 386;
constexpr int LayoutHeight = 182;

bool Selected(const DRAWITEMSTRUCT& item)
{
    return (item.itemState & ODS_SELECTED) != 0;
}

} // namespace

void TDIRVIEWForm::FillItemBackground(const DRAWITEMSTRUCT& item, COLORREF color) const
{
    const BrushHandle brush(CreateSolidBrush(color));
    FillRect(item.hDC, &item.rcItem, brush.Get());
}

void TDIRVIEWForm::DrawItemText(
    const DRAWITEMSTRUCT& item, int x, int y, std::string_view text, COLORREF back) const
{
    SetBkColor(item.hDC, back);
    SetTextColor(item.hDC, GetSysColor(Selected(item) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    TextOutA(item.hDC, x, y, text.data(), static_cast<int>(text.size()));
}

void TDIRVIEWForm::ListBox1DrawItem(const DRAWITEMSTRUCT& item)
{
    const COLORREF back = Selected(item) ? GetSysColor(COLOR_HIGHLIGHT) : ListColor();
    FillItemBackground(item, back);
    const std::vector<FolderEntry>& entries = listing_.Folders();
    if (item.itemID >= entries.size())
        return;
    const FolderEntry& entry = entries[item.itemID];
    int x = item.rcItem.left + entry.level * LevelIndent + FolderTextLeft;
    const HBITMAP picture = entry.picture == FolderPicture::Open ? image6_.Get() : image5_.Get();
    DrawKeyedPicture(item.hDC, x, item.rcItem.top, picture, PictureKey, back);
    x += PictureSize(picture).cx;
    DrawItemText(item, x, item.rcItem.top, entry.text, back);
}

void TDIRVIEWForm::ComboBox2DrawItem(const DRAWITEMSTRUCT& item)
{
    const COLORREF back = Selected(item) ? GetSysColor(COLOR_HIGHLIGHT) : ListColor();
    FillItemBackground(item, back);
    const std::vector<DriveEntry>& drives = listing_.Drives();
    if (item.itemID >= drives.size())
        return;
    const DriveEntry& drive = drives[item.itemID];
    int x = item.rcItem.left + DriveLeft;
    DrawKeyedPicture(item.hDC, x, item.rcItem.top + DrivePictureTop, drivePictures_.Get(), PictureKey, back,
        DrivePicture(drive.kind), DrivePictureCount);
    x += PictureSize(drivePictures_.Get()).cx / DrivePictureCount + DrivePictureGap;
    DrawItemText(item, x, item.rcItem.top, drive.text, back);
}

int TDIRVIEWForm::DrivePicture(DriveKind kind)
{
    return static_cast<int>(kind) - static_cast<int>(DriveKind::Removable);
}

void TDIRVIEWForm::UpdateScrollBars()
{
    RECT client {};
    GetClientRect(Handle(), &client);
    const int sizes[] = { client.right, client.bottom };
    const int layout[] = { LayoutWidth, LayoutHeight };
    const int bars[] = { SB_HORZ, SB_VERT };
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO info { sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, layout[i] - 1,
            static_cast<UINT>(std::max(sizes[i], 0)), 0, 0 };
        // A window as large as its layout needs no bar.
        if (sizes[i] >= layout[i])
            info.fMask &= ~SIF_DISABLENOSCROLL;
        SetScrollInfo(Handle(), bars[i], &info, TRUE);
        Scroll(bars[i], SB_ENDSCROLL);
    }
}

std::optional<LRESULT> TDIRVIEWForm::Scroll(int bar, WORD request)
{
    SCROLLINFO info { sizeof info, SIF_ALL, 0, 0, 0, 0, 0 };
    GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= ScrollLine;
        break;
    case SB_LINEDOWN:
        position += ScrollLine;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    default:
        break;
    }
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    position = std::clamp(position, 0, last);
    LONG& offset = bar == SB_HORZ ? scrolled_.x : scrolled_.y;
    const int delta = offset - position;
    if (delta != 0) {
        offset = position;
        SetScrollPos(Handle(), bar, position, TRUE);
        ScrollWindowEx(Handle(), bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr,
            nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    }
    return 0;
}
