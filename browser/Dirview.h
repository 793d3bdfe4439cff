#pragma once

// TDIRVIEWForm: the browser window.  A drive list, a folder list (the
// current folder's path, then its subfolders) and a file list, owner-drawn
// with the red-keyed pictures, over the drive and folder listing, which the
// window creates and owns and whose view it is.  Dirview.cpp holds the
// layout and the handlers, DirviewDraw.cpp the owner drawing and the
// scrolling of a window made smaller than its layout.

#include "browser/Listing.h"
#include "browser/WinFileSystem.h"
#include "dialogs/Palundlg.h"
#include "gui/Controls.h"
#include "gui/Font.h"
#include "gui/Form.h"
#include "platform/GdiHandles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the listing keeps from one showing of the browser to the next.
ListingMemory& ProcessListing();

class TDIRVIEWForm : public Form, private ListingView {
public:
    TDIRVIEWForm();
    ~TDIRVIEWForm() override;

    Listing& FolderListing() { return listing_; }
    // Gives the three lists the system's window colour, or the window's.
    void SetListColors(bool standardColor);
    // Sets the caption, the messages' title and the icon for the title t.
    void SetTitle(std::string_view title);
    void ShowChosenFolder() { label2_->SetText(listing_.CurrentFolder()); }
    // The folder list takes the keyboard first, as the tab order says.
    void FocusFolderList() { listBox1_->SetFocus(); }
    const std::string& ChosenFolder() const { return chosenFolder_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool FormCloseQuery() override;

private:
    void CreateControls();
    void FormPaint();
    void Button1Click();
    void Button2Click();
    void ListBox1Click();
    void ComboBox2Click();
    void ListBox1DrawItem(const DRAWITEMSTRUCT& item);
    void ComboBox2DrawItem(const DRAWITEMSTRUCT& item);
    COLORREF ListColor() const;
    void FillItemBackground(const DRAWITEMSTRUCT& item, COLORREF color) const;
    void DrawItemText(const DRAWITEMSTRUCT& item, int x, int y, std::string_view text, COLORREF back) const;
    // The place of the kind's picture among the drive pictures.
    static int DrivePicture(DriveKind kind);

    // Scroll bars for a window made smaller than its layout.
    void UpdateScrollBars();
    std::optional<LRESULT> Scroll(int bar, WORD request);

    // ListingView
    void SetDrives(const std::vector<DriveEntry>& drives) override;
    void SetDriveText(std::size_t index, std::string_view text) override;
    void SelectDriveEntry(std::optional<std::size_t> index) override;
    void SetFolderCount(std::string_view text) override;
    void SetFileCount(std::string_view text) override;
    void SetFolders(const std::vector<FolderEntry>& entries, std::size_t selected) override;
    void RepaintFolders() override;
    void SetFiles(const std::vector<std::string>& names) override;
    void ShowMessage(std::string_view text, bool countdown) override;

    FontHandle font_;
    FontHandle listFont_;
    BitmapHandle image5_; // closed folder: subfolders
    BitmapHandle image6_; // open folder: path components
    BitmapHandle drivePictures_; // Floppy, Fixed, Network, CDROM, RAM, side by side
    bool standardColor_ = true;
    POINT scrolled_ {};

    WinFileSystem files_;
    Listing listing_;
    TPalunBoxDlg palunBoxDlg1_;
    std::string chosenFolder_;

    ListBox* listBox1_ = nullptr;
    Button* button2_ = nullptr;
    Button* button1_ = nullptr;
    ComboBox* comboBox2_ = nullptr;
    ListBox* listBox4_ = nullptr;
    Label* label19_ = nullptr;
    Label* label3_ = nullptr;
    Label* label1_ = nullptr;
    Label* label2_ = nullptr;
};
