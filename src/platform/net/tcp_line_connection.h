#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/line_connection.h"
#include "platform/net_wait.h"

namespace platform {

// A TCP connection read and written through non-blocking sockets: every
// wait is a poll of at most kCancelPollInterval, so the cancel flag and the
// time-outs are seen while the peer stays silent.
class TcpLineConnection final : public LineConnection {
public:
    // Looks `host` up and connects to the first of its addresses that
    // answers, all within wait.connectTimeout. Throws NetError.
    static std::unique_ptr<TcpLineConnection> open(const std::string& host, int port, const NetWait& wait);

    ~TcpLineConnection() override;
    TcpLineConnection(const TcpLineConnection&) = delete;
    TcpLineConnection& operator=(const TcpLineConnection&) = delete;

    void writeLine(std::string_view line) override;
    std::optional<std::string> readLine() override;

private:
    using Clock = std::chrono::steady_clock;

    TcpLineConnection(int socket, std::string peer, const NetWait& wait);

    // Waits until the socket is ready for `events` (poll flags); false when
    // `deadline` passed first. Throws when cancelled.
    bool waitFor(short events, Clock::time_point deadline) const;
    std::optional<std::string> takeLine();

    int socket_;
    std::string peer_;  // "host port N", for messages
    NetWait wait_;
    std::string received_;
    std::size_t scanned_ = 0;  // bytes of received_ known to hold no LF
    bool closedByPeer_ = false;
};

}  // namespace platform
