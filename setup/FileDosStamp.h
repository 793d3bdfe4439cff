#pragma once

#include <cstdint>
#include <string>

// The file's last write in the packed DOS form of local time, which is how
// the uninstaller tells that its copy is older than the program; 0 when it
// cannot be found or its time not converted.
std::int32_t FileDosStamp(const std::string& path);
