#include "browser/Dirview.h"

#include "gui/Application.h"
#include "gui/Look.h"
#include "platform/SystemFolders.h"
#include "resources/ImageIds.h"

namespace {

constexpr const char* ClassName = "TDIRVIEWForm";
constexpr const char* OwnCaption = " フォルダーの参照";

constexpr int ClientWidth = 386;
constexpr int ClientHeight = 182;
constexpr DWORD ViewStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD ViewExStyle = WS_EX_TOPMOST;

constexpr int FontHeight = 13;
constexpr int ListFontHeight = 19;
constexpr int FolderItemHeight = 20;
constexpr int FileItemHeight = 18;

BitmapHandle LoadPicture(int id)
{
    return BitmapHandle(static_cast<HBITMAP>(LoadImageA(
        Application::Get().Instance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

} // namespace

ListingMemory& ProcessListing()
{
    static ListingMemory memory;
    return memory;
}

TDIRVIEWForm::TDIRVIEWForm()
    : font_(SystemFont(FontHeight))
    , listFont_(SystemFont(ListFontHeight))
    , image5_(LoadPicture(IDB_CLOSED_FOLDER))
    , image6_(LoadPicture(IDB_OPEN_FOLDER))
    , drivePictures_(LoadPicture(IDB_DRIVES))
    // Without memory for the Windows folder's buffer the program ends in its
    // failure box, as on any allocation that fails.
    , listing_(files_, *this, ProcessListing(), *WindowsFolder())
{
    RECT outer { 0, 0, ClientWidth, ClientHeight };
    AdjustWindowRectEx(&outer, ViewStyle, FALSE, ViewExStyle);
    FormLayout layout;
    layout.className = ClassName;
    layout.caption = OwnCaption;
    layout.style = ViewStyle;
    layout.exStyle = ViewExStyle;
    layout.left = 0;
    layout.top = 0;
    layout.width = outer.right - outer.left;
    layout.height = outer.bottom - outer.top;
    layout.owner = Application::Get().Handle();
    layout.icon = Application::Get().Icon();
    CreateWindowFromLayout(layout);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetDialogKeys(true);
    CreateControls();
    FormPaint();
    UpdateScrollBars();
}

TDIRVIEWForm::~TDIRVIEWForm()
{
    DestroyHandle();
}

// The order of creation is the tab order: the folder list, "設定", "中止",
// the drive list, the file list.
void TDIRVIEWForm::CreateControls()
{
    listBox1_ = &Add<ListBox>(Bounds { 8, 40, 145, 97 }, ListKind::OwnerDrawn);
    listBox1_->SetFont(listFont_.Get());
    listBox1_->SetItemHeight(FolderItemHeight);
    listBox1_->SetHint("フォルダーの選択");
    listBox1_->OnChange = [this] { ListBox1Click(); };
    listBox1_->OnDrawItem = [this](const DRAWITEMSTRUCT& item) { ListBox1DrawItem(item); };

    button2_ = &Add<Button>(Bounds { 312, 112, 65, 33 }, "設定", true);
    button2_->SetFont(font_.Get());
    button2_->SetHint("フォルダーの設定");
    button2_->OnClick = [this] { Button2Click(); };
    SetDefaultButton(button2_->Id());

    button1_ = &Add<Button>(Bounds { 312, 72, 65, 33 }, "中止");
    button1_->SetFont(font_.Get());
    button1_->SetHint("参照を中止する");
    button1_->OnClick = [this] { Button1Click(); };
    SetCancelButton(button1_->Id());

    comboBox2_ = &Add<ComboBox>(Bounds { 8, 8, 145, 26 }, ComboKind::OwnerDrawnList);
    comboBox2_->SetFont(listFont_.Get());
    comboBox2_->SetItemHeight(FolderItemHeight);
    comboBox2_->SetHint("ドライブの選択");
    comboBox2_->OnChange = [this] { ComboBox2Click(); };
    comboBox2_->OnDrawItem = [this](const DRAWITEMSTRUCT& item) { ComboBox2DrawItem(item); };

    listBox4_ = &Add<ListBox>(Bounds { 160, 40, 145, 97 }, ListKind::Sorted);
    listBox4_->SetFont(font_.Get());
    listBox4_->SetItemHeight(FileItemHeight);
    listBox4_->SetHint("フォルダーに存在するファイル");

    label19_ = &Add<Label>(Bounds { 160, 8, 52, 16 }, "");
    label19_->SetHint("現在左記リストに登録されているフォルダーの個数 ");
    label3_ = &Add<Label>(Bounds { 216, 8, 160, 16 }, "フォルダーの選択");
    label1_ = &Add<Label>(Bounds { 312, 40, 66, 16 }, "");
    label1_->SetHint("ファイルの数 ");
    label2_ = &Add<Label>(Bounds { 8, 152, 370, 20 }, "");
    label2_->SetHint("設定フォルダー名");
    for (Label* label : { label19_, label3_, label1_, label2_ })
        label->SetFont(font_.Get());
}

void TDIRVIEWForm::SetListColors(bool standardColor)
{
    standardColor_ = standardColor;
    const COLORREF color = ListColor();
    comboBox2_->SetColor(color);
    listBox1_->SetColor(color);
    listBox4_->SetColor(color);
}

COLORREF TDIRVIEWForm::ListColor() const
{
    return standardColor_ ? GetSysColor(COLOR_WINDOW) : BackgroundColor();
}

void TDIRVIEWForm::SetTitle(std::string_view title)
{
    palunBoxDlg1_.Title = title.empty() ? std::string_view(Application::Get().Title()) : title;
    palunBoxDlg1_.SourceHandle = Handle();
    SetCaption(palunBoxDlg1_.Title + OwnCaption);
}

std::optional<LRESULT> TDIRVIEWForm::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam)
            BringWindowToTop(Handle());
        break;
    case WM_SYSCOLORCHANGE:
        FormPaint();
        break;
    case WM_SIZE:
        UpdateScrollBars();
        break;
    case WM_HSCROLL:
        return Scroll(SB_HORZ, LOWORD(wParam));
    case WM_VSCROLL:
        return Scroll(SB_VERT, LOWORD(wParam));
    default:
        break;
    }
    return std::nullopt;
}

void TDIRVIEWForm::FormPaint()
{
    SetBackgroundColor(FormBackgroundColor());
    if (!standardColor_)
        SetListColors(false);
}

bool TDIRVIEWForm::FormCloseQuery()
{
    listing_.ForgetFolders();
    return true;
}

void TDIRVIEWForm::Button1Click()
{
    Close();
}

void TDIRVIEWForm::Button2Click()
{
    chosenFolder_ = label2_->Text();
    Close();
}

void TDIRVIEWForm::ListBox1Click()
{
    const int index = listBox1_->SelectedIndex();
    if (index == ListControl::NoItem)
        return;
    listing_.OpenFolderEntry(static_cast<std::size_t>(index));
    ShowChosenFolder();
}

void TDIRVIEWForm::ComboBox2Click()
{
    const int index = comboBox2_->SelectedIndex();
    if (index == ListControl::NoItem)
        return;
    listing_.DriveChosen(static_cast<std::size_t>(index));
    ShowChosenFolder();
}

void TDIRVIEWForm::SetDrives(const std::vector<DriveEntry>& drives)
{
    std::vector<std::string> texts;
    texts.reserve(drives.size());
    for (const DriveEntry& drive : drives)
        texts.push_back(drive.text);
    comboBox2_->Fill(texts);
}

void TDIRVIEWForm::SetDriveText(std::size_t index, std::string_view text)
{
    const int item = static_cast<int>(index);
    const bool selected = comboBox2_->SelectedIndex() == item;
    comboBox2_->Delete(item);
    comboBox2_->Insert(item, text);
    if (selected)
        comboBox2_->SetSelectedIndex(item);
}

void TDIRVIEWForm::SelectDriveEntry(std::optional<std::size_t> index)
{
    comboBox2_->SetSelectedIndex(index ? static_cast<int>(*index) : ListControl::NoItem);
}

void TDIRVIEWForm::SetFolderCount(std::string_view text)
{
    label19_->SetText(text);
    UpdateWindow(label19_->Handle());
}

void TDIRVIEWForm::SetFileCount(std::string_view text)
{
    label1_->SetText(text);
    UpdateWindow(label1_->Handle());
}

void TDIRVIEWForm::SetFolders(const std::vector<FolderEntry>& entries, std::size_t selected)
{
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const FolderEntry& entry : entries)
        texts.push_back(entry.text);
    listBox1_->Fill(texts);
    // The level rides along as the item's value, where anyone reading the
    // list from outside finds it.
    for (std::size_t i = 0; i < entries.size(); ++i)
        listBox1_->SetItemData(static_cast<int>(i), static_cast<std::uintptr_t>(entries[i].level));
    listBox1_->SetSelectedIndex(static_cast<int>(selected));
}

void TDIRVIEWForm::RepaintFolders()
{
    UpdateWindow(listBox1_->Handle());
}

// The names come in the locale's case-blind order, the order the sorted
// list keeps; appending them in that order spares the list a search for
// each one's place.
void TDIRVIEWForm::SetFiles(const std::vector<std::string>& names)
{
    listBox4_->Fill(names);
}

void TDIRVIEWForm::ShowMessage(std::string_view text, bool countdown)
{
    if (countdown)
        palunBoxDlg1_.ExecuteCount(text);
    else
        palunBoxDlg1_.Execute(text);
}
