#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <utility>
#include <vector>

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
    // Keep the permissions an existing file had; a new file (or one replacing a link) gets 0644.
    struct stat existing {};
    bool regular = lstat(m_target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    mode_t mode = regular ? (existing.st_mode & 07777) : 0644;
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

namespace {

std::string FolderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The names in folder, "." and ".." left out; empty when it cannot be listed.
std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return names;
    while (const dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(directory);
    return names;
}

// A copy "<name>.damaged-..." in the same folder that shares the file's inode.
std::string ExistingCopy(const std::string& path, const struct stat& info)
{
    const std::string folder = FolderOf(path);
    const std::string prefix = NameOf(path) + ".damaged-";
    for (const std::string& name : NamesIn(folder)) {
        struct stat other {};
        std::string candidate = folder + "/" + name;
        if (name.rfind(prefix, 0) == 0 && lstat(candidate.c_str(), &other) == 0 && other.st_dev == info.st_dev &&
            other.st_ino == info.st_ino)
            return candidate;
    }
    return {};
}

} // namespace

std::string AtomicFile::KeepAside(const std::string& path)
{
    struct stat info {};
    // A folder in a file's place is nothing of ours to move: it stays, and nothing replaces it.
    if (lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return {};
    if (info.st_nlink > 1) {
        if (std::string copy = ExistingCopy(path, info); !copy.empty())
            return copy;
    }
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

bool AtomicFile::IsTemporaryName(const std::string& fileName)
{
    constexpr size_t kSuffix = 6; // mkstemp's XXXXXX
    const std::string marker = ".tmp-";
    if (fileName.size() <= marker.size() + kSuffix)
        return false;
    const size_t at = fileName.size() - kSuffix - marker.size();
    if (at == 0 || fileName.compare(at, marker.size(), marker) != 0)
        return false;
    for (size_t i = fileName.size() - kSuffix; i < fileName.size(); ++i) {
        const char c = fileName[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

int AtomicFile::RemoveStaleTemporaries(const std::string& folder)
{
    int removed = 0;
    for (const std::string& name : NamesIn(folder)) {
        struct stat info {};
        const std::string path = folder + "/" + name;
        if (lstat(path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            for (const std::string& inner : NamesIn(path)) {
                const std::string innerPath = path + "/" + inner;
                if (IsTemporaryName(inner) && lstat(innerPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                    ::unlink(innerPath.c_str()) == 0)
                    ++removed;
            }
        } else if (IsTemporaryName(name) && S_ISREG(info.st_mode) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
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
