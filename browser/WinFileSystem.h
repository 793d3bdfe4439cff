#pragma once

// The listing's file-system questions answered by the real system: drive
// types and labels, network names, free-space probes, the current directory
// and folder searches, and the user locale's order of names.

#include "browser/ListingWorld.h"

class WinFileSystem : public FileSystemQuery {
public:
    unsigned DriveType(char letter) const override;
    std::optional<std::string> VolumeLabel(char letter) const override;
    std::optional<std::string> NetworkName(char letter) const override;
    bool DiskAnswers(char letter) const override;
    bool SetCurrentFolder(const std::string& path) override;
    std::optional<std::string> CurrentFolderOfDrive(char letter) const override;
    std::optional<std::vector<FoundEntry>> Find(const std::string& pattern) const override;
    int CompareNames(std::string_view a, std::string_view b) const override;
};
