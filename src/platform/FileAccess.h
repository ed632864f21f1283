#pragma once

#include <string>
#include <string_view>

namespace platform {

// Whole-file reads and log appends that never block on a device node or a pipe, and that keep
// the user's files from following a symbolic link out of their folder
// (Folders::IsLinkOutOfItsFolder).
class FileAccess {
public:
    enum class ReadStatus {
        Missing,    // nothing at the path
        Read,       // bytes holds the whole file
        Unreadable, // there, but no regular file, larger than allowed, unreadable, a link out of
                    // its folder, or changed while being read
    };

    enum class Links {
        FollowAny,    // the program's own data and files the user picked
        StayInFolder, // the user's files: a link out of the file's folder is unreadable
    };

    // Reads the whole regular file at path, of at most maxBytes.
    static ReadStatus ReadWhole(const std::string& path, long maxBytes, Links links, std::string& bytes);

    // Appends text to the file at path, creating it; a file already larger than restartAbove is
    // emptied first. A link out of the file's folder is kept aside and replaced by a new file
    // rather than written through. False when the file could not be opened.
    static bool Append(const std::string& path, std::string_view text, long restartAbove);
};

} // namespace platform
