#include "platform/MessageBus.h"

#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/SingleInstance.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const char kSuffix[] = ".sock";

bool ValidEndpoint(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name[0] == '.')
        return false;
    for (char c : name) {
        if (c == '/' || c == '\0')
            return false;
    }
    return true;
}

bool MakeAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

MessageBus::MessageBus(std::string folder) : m_folder(folder.empty() ? Folders::RuntimeFolder() : std::move(folder)) {}

MessageBus::~MessageBus()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(SocketPath(m_endpoint).c_str());
}

std::string MessageBus::SocketPath(const std::string& endpoint) const
{
    return m_folder + "/" + endpoint + kSuffix;
}

bool MessageBus::Listen(const std::string& endpoint)
{
    sockaddr_un address;
    if (m_fd >= 0 || !ValidEndpoint(endpoint) || !EnsurePrivateFolder(m_folder) ||
        !MakeAddress(SocketPath(endpoint), address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::unlink(address.sun_path);
    int on = 1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_endpoint = endpoint;
    return true;
}

std::optional<BusFrame> MessageBus::Receive()
{
    if (m_fd < 0)
        return std::nullopt;
    std::string buffer(BusFrame::kMaxFrameSize + 1, '\0');
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    for (;;) {
        iovec io{buffer.data(), buffer.size()};
        msghdr message {};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        ssize_t received = ::recvmsg(m_fd, &message, MSG_DONTWAIT);
        if (received < 0)
            return std::nullopt; // nothing waiting (or the socket failed)
        const ucred* sender = nullptr;
        for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS)
                sender = reinterpret_cast<const ucred*>(CMSG_DATA(c));
        }
        if (!sender || sender->uid != geteuid() || (message.msg_flags & MSG_TRUNC)) {
            DebugOutput("message bus: dropped a frame from another user or oversized");
            continue;
        }
        if (auto frame = BusFrame::Unpack(buffer.substr(0, static_cast<size_t>(received))))
            return frame;
        DebugOutput("message bus: dropped a malformed frame");
    }
}

bool MessageBus::SendBytes(const std::string& endpoint, const std::string& bytes) const
{
    sockaddr_un address;
    if (bytes.empty() || !ValidEndpoint(endpoint) || !MakeAddress(SocketPath(endpoint), address))
        return false;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ssize_t sent = ::sendto(fd, bytes.data(), bytes.size(), MSG_DONTWAIT,
                            reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(fd);
    return sent == static_cast<ssize_t>(bytes.size());
}

bool MessageBus::Send(const std::string& endpoint, const BusFrame& frame) const
{
    return SendBytes(endpoint, frame.Pack());
}

int MessageBus::Broadcast(const BusFrame& frame) const
{
    std::string bytes = frame.Pack();
    int reached = 0;
    for (const std::string& endpoint : Endpoints()) {
        if (endpoint != m_endpoint && SendBytes(endpoint, bytes))
            ++reached;
    }
    return reached;
}

std::vector<std::string> MessageBus::Endpoints() const
{
    std::vector<std::string> names;
    DIR* folder = ::opendir(m_folder.c_str());
    if (!folder)
        return names;
    const size_t suffixLength = sizeof kSuffix - 1;
    while (dirent* entry = ::readdir(folder)) {
        std::string name = entry->d_name;
        if (name.size() > suffixLength && name.compare(name.size() - suffixLength, suffixLength, kSuffix) == 0)
            names.push_back(name.substr(0, name.size() - suffixLength));
    }
    ::closedir(folder);
    return names;
}

} // namespace platform
