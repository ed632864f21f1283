#include "platform/FileAccess.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
};

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace

FileAccess::ReadStatus FileAccess::ReadWhole(const std::string& path, long maxBytes, Links links, std::string& bytes)
{
    bytes.clear();
    struct stat info {};
    if (path.empty() || lstat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR || path.empty() ? ReadStatus::Missing : ReadStatus::Unreadable;
    if (links == Links::StayInFolder && Folders::IsLinkOutOfItsFolder(path))
        return ReadStatus::Unreadable;
    // Non-blocking: a pipe or device node put where a file should be must not hang the program.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return ReadStatus::Unreadable;
    bytes.resize(static_cast<size_t>(info.st_size) + 1);
    size_t total = 0;
    for (;;) {
        ssize_t got = ::read(file.fd, bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            bytes.clear();
            return ReadStatus::Unreadable;
        }
        total += static_cast<size_t>(got);
        if (got == 0 || total == bytes.size())
            break;
    }
    // One byte more or less than the size taken: the file changed while it was read.
    if (total != static_cast<size_t>(info.st_size)) {
        bytes.clear();
        return ReadStatus::Unreadable;
    }
    bytes.resize(total);
    return ReadStatus::Read;
}

bool FileAccess::Append(const std::string& path, std::string_view text, long restartAbove)
{
    const bool linkOut = Folders::IsLinkOutOfItsFolder(path);
    if (linkOut && (AtomicFile::KeepAside(path).empty() || ::unlink(path.c_str()) != 0))
        return false;
    int flags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
    if (linkOut)
        flags |= O_NOFOLLOW; // a link put back meanwhile is refused, not followed
    Descriptor file(::open(path.c_str(), flags, 0644));
    struct stat info {};
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_size > restartAbove && ::ftruncate(file.fd, 0) != 0)
        return false;
    return WriteAll(file.fd, text);
}

} // namespace platform
