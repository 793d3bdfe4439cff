// The program's entry: sets the program-wide values, decides the role of
// this start and runs the one window it creates.

#include "app/CommandLine.h"
#include "app/FailFast.h"
#include "app/Forwarding.h"
#include "app/StartDecision.h"
#include "dialogs/Palundlg.h"
#include "gui/Application.h"
#include "platform/DllSearch.h"
#include "platform/ModulePath.h"
#include "program/Program.h"
#include "program/ProgramValues.h"
#include "setup/DRIM_SETUP.h"
#include "text/PathParts.h"
#include "tray/DrIMFM.h"
#include "tray/SettingsStore.h"

#include <windows.h>

#include <memory>
#include <string>

namespace {

std::string LowerWithSystem(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void SetProgramValues()
{
    ProgramRunValues& program = Program();
    program.programPath = RunningProgramPath();
    program.programFolder = FolderPart(program.programPath);
    const std::vector<std::string> arguments = SplitCommandLine(GetCommandLineA());
    program.argument1 = Argument(arguments, 1);
    program.argument2 = Argument(arguments, 2);
}

int ReportResidentNotAnswering(HINSTANCE instance)
{
    Application::Get().Initialize(instance);
    TPalunBoxDlg box;
    box.ExecuteCount(ResidentNotAnsweringMessage);
    return ResidentNotAnsweringExitCode;
}

int RunMainForm(std::unique_ptr<Form> form)
{
    Application::Get().SetMainForm(form.get());
    const int result = Application::Get().Run();
    Application::Get().SetMainForm(nullptr);
    return result;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything is loaded by name, the delay-loaded DLLs above all.
    RestrictDllSearchToSystemFolder();
    InstallFailFastHandlers();
    Application& application = Application::Get();
    application.SetTitle(ApplicationTitle);
    SetProgramValues();
    ProgramRunValues& program = Program();

    StartFacts facts;
    facts.argument1 = program.argument1;
    facts.lowerFileName = LowerWithSystem(FileNamePart(program.programPath));
    HWND trayWindow = FindWindowA(TrayWindowClassName, nullptr);
    facts.trayWindowExists = trayWindow != nullptr;
    facts.setupWindowExists = FindWindowA(SetupWindowClassName, nullptr) != nullptr;

    const StartDecision decision = DecideStart(facts, ReadVersionValue);
    program.runMode = decision.runMode;

    // The roles that create no window end before the application is set up:
    // a forwarded switch then costs little more than the message itself.
    switch (decision.role) {
    case StartRole::ForwardToTray:
        if (ForwardToResidentCopy(trayWindow, program.argument1, program.argument2)
            == ForwardOutcome::NotAnswering)
            return ReportResidentNotAnswering(instance);
        return 0;
    case StartRole::ExitSilently:
        return 0;
    case StartRole::VersionError:
        MessageBoxA(nullptr, decision.errorText.c_str(), application.Title().c_str(), MB_OK | MB_ICONERROR);
        return 0;
    case StartRole::TrayWindow:
    case StartRole::SetupInstall:
    case StartRole::SetupWindow:
        break;
    }

    application.Initialize(instance);
    switch (decision.role) {
    case StartRole::TrayWindow:
        return RunMainForm(std::make_unique<TSDRIM32PALUN>());
    case StartRole::SetupInstall: {
        auto setup = std::make_unique<TSDRIM32SETUPForm>(decision.runMode);
        setup->Show();
        return RunMainForm(std::move(setup));
    }
    default:
        return RunMainForm(std::make_unique<TSDRIM32SETUPForm>(decision.runMode));
    }
}
