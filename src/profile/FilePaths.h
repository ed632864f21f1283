#pragma once

#include <json/value.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

    // A file named by an identifier that MakeProfileId made, and the name its document gives it.
    struct IdentifiedFile {
        std::string id;
        std::string name;
    };
    // The files "<id><extension>" of folder whose JSON document accept takes, oldest first
    // (identifiers are time stamps), at most limit. A name is the document's member nameKey, or
    // fallbackPrefix and the position counted from 1 when that is no text or blank.
    static std::vector<IdentifiedFile> IdentifiedFiles(const std::string& folder, const std::string& extension,
                                                       const std::function<bool(const Json::Value&)>& accept,
                                                       const char* nameKey, const std::string& fallbackPrefix,
                                                       size_t limit);
};
