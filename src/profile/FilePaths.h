#pragma once

#include <cstdint>
#include <string>

// Small rules about the files and folders the user picks.
class FilePaths {
public:
    // The folder part of path ("." when it has none).
    static std::string FolderOf(const std::string& path);
    // True when the file at path would land directly in folder (after resolving "..", "." and
    // links), so that exports can never overwrite the program's own files there.
    static bool IsDirectlyIn(const std::string& path, const std::string& folder);
    // True when path is a regular file of at most maxBytes. Imports check this before parsing:
    // the parsed form of a JSON file takes about fifty times its size in memory.
    static bool IsFileOfAtMost(const std::string& path, std::uintmax_t maxBytes);
};
