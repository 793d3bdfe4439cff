#include "program/ProgramValues.h"

#include "base/DecimalText.h"

namespace {

std::string CopyNumberDigits()
{
    const std::string padded = "000" + DecimalText(UninstallCopyNumber);
    return padded.substr(padded.size() - 3);
}

} // namespace

std::string UninstallCopyName()
{
    return "unin_palun" + CopyNumberDigits() + ".exe";
}

std::string UninstallMarker()
{
    return "UNINSTALL_PALUN" + CopyNumberDigits();
}
