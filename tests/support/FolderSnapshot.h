#pragma once

#include "support/TempFolder.h"

#include <filesystem>
#include <map>
#include <string>

namespace testsupport {

// Every file directly in a folder with its bytes, to show that an operation changed nothing.
inline std::map<std::string, std::string> FolderSnapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(folder))
        files[item.path().filename().string()] = ReadFileBytes(item.path().string());
    return files;
}

} // namespace testsupport
