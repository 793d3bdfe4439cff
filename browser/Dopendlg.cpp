#include "browser/Dopendlg.h"

#include "browser/Dirview.h"
#include "gui/Application.h"
#include "gui/Placement.h"
#include "platform/ModulePath.h"
#include "text/PathParts.h"

namespace {

// Repaints the application's main window once the browser is gone, on
// every path out of Execute.
class RepaintMainFormAfter {
public:
    RepaintMainFormAfter() = default;
    RepaintMainFormAfter(const RepaintMainFormAfter&) = delete;
    RepaintMainFormAfter& operator=(const RepaintMainFormAfter&) = delete;
    ~RepaintMainFormAfter() { Application::Get().RepaintMainForm(); }
};

} // namespace

Result<std::string> TDIROPENDLG::Execute()
{
    const std::string program = RunningProgramPath();
    const std::string programFolder = FolderPart(program);
    const RepaintMainFormAfter repaint;
    TDIRVIEWForm view;
    PlaceDialog(view.Handle(), SourceHandle);
    Listing& listing = view.FolderListing();
    listing.FillDrives(program.empty() ? '\0' : program[0]);
    // The window is gone before the caller shows the failure.
    if (!listing.GoToFolder(Directory.empty() ? programFolder : Directory)
        && !listing.GoToFolder(programFolder))
        return Failure { std::string(RecoveryFailedMessage) };
    view.ShowChosenFolder();
    view.SetListColors(StandardColor);
    view.SetTitle(Title);
    view.FocusFolderList();
    view.ShowModal();
    return view.ChosenFolder();
}
