#include "program/ProgramValues.h"

std::string UninstallCopyName()
{
    const std::string padded = "000" + std::to_string(UninstallCopyNumber);
    return "unin_palun" + padded.substr(padded.size() - 3) + ".exe";
}
