#include "platform/SingleInstance.h"

#include "platform/DebugOutput.h"
#include "platform/Folders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool EnsurePrivateFolder(const std::string& folder)
{
    auto slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        Folders::CreateFolders(folder.substr(0, slash));
    mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
        return false;
    if ((info.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0)
        return false;
    return true;
}

SingleInstance::SingleInstance(const std::string& name, std::string folder)
{
    if (folder.empty())
        folder = Folders::RuntimeFolder();
    m_path = folder + "/" + name + ".lock";
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock; the file stays for the next start
}

bool SingleInstance::Acquire()
{
    if (m_fd >= 0)
        return true;
    auto slash = m_path.find_last_of('/');
    if (!EnsurePrivateFolder(m_path.substr(0, slash))) {
        DebugOutput("single instance: runtime folder unusable; going on as the only instance");
        return true;
    }
    int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        DebugOutput("single instance: no lock file; going on as the only instance");
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

} // namespace platform
