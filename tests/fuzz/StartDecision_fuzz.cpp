// The role of a start decided from any facts, against the decision table:
// the first matching row wins, and "Version" is read only in the rows that
// depend on it.  Fields in order: the window flags (the first byte's bit 0:
// a tray window exists, bit 1: a setup window exists), argument 1, the
// lower-cased file name, then "Version" in FieldValue's form.

#include "app/StartDecision.h"
#include "program/ProgramValues.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr std::size_t FieldCount = 4;

StartDecision ExpectedByVersion(const SettingValue& version, bool setupWindowExists)
{
    std::int32_t installed = VersionNotInstalled;
    if (version.kind == SettingValue::Kind::WrongType)
        return { StartRole::VersionError, RunMode::Normal, {} };
    if (version.kind == SettingValue::Kind::Text && !version.text.empty()) {
        const auto parsed = ParseSettingInt(version.text);
        if (!parsed)
            return { StartRole::VersionError, RunMode::Normal, {} };
        installed = *parsed;
    }
    if (installed == ProgramVersion)
        return { StartRole::TrayWindow, RunMode::Normal, {} };
    return { setupWindowExists ? StartRole::ExitSilently : StartRole::SetupInstall, RunMode::Normal, {} };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> fields = SplitFields(InputText(data, size), FieldCount);
    const unsigned flags = fields[0].empty() ? 0 : static_cast<unsigned char>(fields[0].front());
    StartFacts facts;
    facts.trayWindowExists = (flags & 1) != 0;
    facts.setupWindowExists = (flags & 2) != 0;
    facts.argument1 = fields[1];
    facts.lowerFileName = fields[2];
    const SettingValue version = FieldValue(fields[3]);

    int versionReads = 0;
    const StartDecision decision = DecideStart(facts, [&] {
        ++versionReads;
        return version;
    });

    bool versionDecides = false;
    StartDecision expected { StartRole::SetupWindow, RunMode::Normal, {} };
    if (facts.argument1 == UninstallSwitch) {
        const bool running = facts.trayWindowExists || facts.setupWindowExists;
        expected.runMode = running ? RunMode::UninstallBlocked : RunMode::Uninstall;
    } else if (facts.lowerFileName == UninstallCopyName()) {
        expected.runMode = RunMode::UninstallCopy;
    } else if (facts.trayWindowExists) {
        expected.role = StartRole::ForwardToTray;
    } else {
        versionDecides = true;
        expected = ExpectedByVersion(version, facts.setupWindowExists);
    }

    FUZZ_REQUIRE(versionReads == (versionDecides ? 1 : 0));
    FUZZ_REQUIRE(decision.role == expected.role);
    FUZZ_REQUIRE(decision.runMode == expected.runMode);
    // Only a version error carries a text, and it always has one to show.
    FUZZ_REQUIRE(decision.errorText.empty() == (decision.role != StartRole::VersionError));
    return 0;
}
