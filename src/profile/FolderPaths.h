#pragma once

#include <string>

// Small rules about the folders user files live in.
class FolderPaths {
public:
    // The folder part of path ("." when it has none).
    static std::string FolderOf(const std::string& path);
    // True when the file at path would land directly in folder (after resolving "..", "." and
    // links), so that exports can never overwrite the program's own files there.
    static bool IsDirectlyIn(const std::string& path, const std::string& folder);
};
