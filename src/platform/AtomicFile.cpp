#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <utility>

namespace platform {

AtomicFile::AtomicFile(std::string targetPath) : m_target(std::move(targetPath)) {}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Begin()
{
    Discard();
    m_failed = false;
    std::string pattern = m_target + ".tmp-XXXXXX";
    m_fd = mkstemp(pattern.data());
    if (m_fd < 0)
        return false;
    m_temporary = pattern;
    // Keep the permissions an existing file had; a new file gets the usual 0644.
    struct stat existing {};
    mode_t mode = stat(m_target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    fchmod(m_fd, mode);
    return true;
}

bool AtomicFile::Write(std::string_view bytes)
{
    if (m_fd < 0 || m_failed)
        return false;
    while (!bytes.empty()) {
        ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_failed = true;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool AtomicFile::Commit()
{
    if (m_fd < 0 || m_failed) {
        Discard();
        return false;
    }
    bool ok = fsync(m_fd) == 0;
    ok = (::close(m_fd) == 0) && ok;
    m_fd = -1;
    if (ok && std::rename(m_temporary.c_str(), m_target.c_str()) == 0) {
        m_temporary.clear();
        return true;
    }
    Discard();
    return false;
}

bool AtomicFile::WriteWhole(const std::string& targetPath, std::string_view bytes)
{
    AtomicFile file(targetPath);
    return file.Begin() && file.Write(bytes) && file.Commit();
}

std::string AtomicFile::KeepAside(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return {};
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string base = path + ".damaged-" + stamp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string aside = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        // A hard link keeps the very bytes; the later atomic replace only renames over the name.
        if (::link(path.c_str(), aside.c_str()) == 0)
            return aside;
        if (errno == EEXIST)
            continue;
        if (std::rename(path.c_str(), aside.c_str()) == 0)
            return aside;
        return {};
    }
    return {};
}

void AtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

} // namespace platform
