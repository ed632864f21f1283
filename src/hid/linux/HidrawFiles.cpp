#include "hid/linux/HidrawFiles.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

class SystemHidrawFiles : public HidrawFiles {
public:
    int Open(const std::string& path, int flags) override { return open(path.c_str(), flags); }
    ssize_t Read(int fd, void* buffer, size_t capacity) override { return read(fd, buffer, capacity); }
    ssize_t Write(int fd, const void* data, size_t length) override { return write(fd, data, length); }
    void Close(int fd) override { close(fd); }
};

} // namespace

std::shared_ptr<HidrawFiles> HidrawFiles::System()
{
    static const auto files = std::make_shared<SystemHidrawFiles>();
    return files;
}
