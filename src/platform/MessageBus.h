#pragma once

#include "platform/BusFrame.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Local datagram sockets in the user's runtime folder (mode 0700), one per endpoint: the
// program listens as "QV742-CORE", cooperating programs (the updater, the audio recorder, the
// tool window, qv742-msg) under their own names. Broadcast reaches every endpoint in the folder.
// Frames from another user or that fail to unpack are dropped on receipt.
class MessageBus {
public:
    // folder defaults to Folders::RuntimeFolder().
    explicit MessageBus(std::string folder = {});
    ~MessageBus();
    MessageBus(const MessageBus&) = delete;
    MessageBus& operator=(const MessageBus&) = delete;

    // Binds this process's endpoint; a stale socket of the same name is replaced. False on failure.
    bool Listen(const std::string& endpoint);
    // The socket to watch for readability (-1 before Listen); reading never blocks.
    int Fd() const { return m_fd; }
    // The next valid frame waiting, skipping dropped ones; nullopt when none is waiting.
    std::optional<BusFrame> Receive();

    // Sends to one endpoint; false when it does not listen or the frame breaks a limit.
    bool Send(const std::string& endpoint, const BusFrame& frame) const;
    // Sends to every endpoint but this one; the number reached.
    int Broadcast(const BusFrame& frame) const;
    // The endpoints listening now.
    std::vector<std::string> Endpoints() const;

    const std::string& Folder() const { return m_folder; }

private:
    std::string SocketPath(const std::string& endpoint) const;
    bool SendBytes(const std::string& endpoint, const std::string& bytes) const;

    std::string m_folder;
    std::string m_endpoint;
    int m_fd = -1;
};

} // namespace platform
