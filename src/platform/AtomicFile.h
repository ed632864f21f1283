#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces a file whole or not at all: the bytes go to a temporary file in the target's folder,
// which is flushed to disk and then renamed over the target. A crash, a full disk or an
// abandoned write leaves the old file as it was.
class AtomicFile {
public:
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile(); // removes the temporary file unless Commit succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the folder is missing or not writable.
    bool Begin();
    // Appends bytes to the temporary file; false on a short write.
    bool Write(std::string_view bytes);
    // Flushes, closes and renames over the target; false when any step failed.
    bool Commit();

    // Begin, Write and Commit in one call.
    static bool WriteWhole(const std::string& targetPath, std::string_view bytes);

    // Keeps the bytes of a file that cannot be used beside it as "<path>.damaged-<local time>"
    // before anything replaces it. The copy's path, or empty when there was no file, no copy
    // could be made, or a folder stands in the file's place (the caller then must not replace
    // it). A file already kept aside (its bytes linked under such a name) is not kept twice:
    // that copy's path is returned.
    static std::string KeepAside(const std::string& path);

    // True for a name Begin gives its temporaries: "<target>.tmp-" and six letters or digits.
    static bool IsTemporaryName(const std::string& fileName);
    // Removes the temporaries a crash between Begin and Commit left in folder and in its
    // subfolders one level down (the device folders): regular files only, no link followed.
    // Call only while no write is under way (at start, holding the single-instance lock).
    // The number removed.
    static int RemoveStaleTemporaries(const std::string& folder);

private:
    void Discard();

    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace platform
