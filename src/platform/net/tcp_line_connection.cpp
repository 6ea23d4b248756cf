#include "platform/net/tcp_line_connection.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/net_error.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kReceiveChunk = 8192;

struct AddressList {
    ~AddressList()
    {
        if (first != nullptr)
            freeaddrinfo(first);
    }
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int status = 0;
    addrinfo* first = nullptr;
};

// getaddrinfo cannot be interrupted: it runs on a thread of its own, and a
// cancelled or timed-out wait leaves it to finish and free its result alone.
std::shared_ptr<AddressList> resolve(const std::string& host, int port, const NetWait& wait,
                                     Clock::time_point deadline, const std::string& peer)
{
    auto list = std::make_shared<AddressList>();
    std::thread([list, host, service = std::to_string(port)] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* first = nullptr;
        const int status = getaddrinfo(host.c_str(), service.c_str(), &hints, &first);
        const std::lock_guard lock(list->mutex);
        list->status = status;
        list->first = first;
        list->finished = true;
        list->done.notify_all();
    }).detach();

    std::unique_lock lock(list->mutex);
    while (!list->done.wait_for(lock, kCancelPollInterval, [&] { return list->finished; })) {
        if (wait.isCancelled())
            throw NetError(NetError::Kind::Cancelled, "Cancelled while connecting to " + peer);
        if (Clock::now() >= deadline)
            throw NetError(NetError::Kind::TimedOut,
                           "No connection to " + peer + " within " + durationText(wait.connectTimeout));
    }
    if (list->status != 0)
        throw NetError(NetError::Kind::Failed,
                       "Could not find the host " + host + ": " + gai_strerror(list->status));
    return list;
}

bool waitOn(int socket, short events, Clock::time_point deadline, const NetWait& wait, const std::string& peer)
{
    for (;;) {
        if (wait.isCancelled())
            throw NetError(NetError::Kind::Cancelled, "Cancelled while talking to " + peer);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{socket, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::min(left, kCancelPollInterval).count()) + 1);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            throw NetError(NetError::Kind::Failed, "Lost the connection to " + peer + ": " + std::strerror(errno));
    }
}

// A connected socket to `address`, or -1 with `error` set.
int connectTo(const addrinfo& address, Clock::time_point deadline, const NetWait& wait, const std::string& peer,
              int& error)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0)
        return fd;
    if (errno != EINPROGRESS) {
        error = errno;
        close(fd);
        return -1;
    }
    try {
        if (!waitOn(fd, POLLOUT, deadline, wait, peer)) {
            error = ETIMEDOUT;
            close(fd);
            return -1;
        }
    } catch (...) {
        close(fd);
        throw;
    }
    socklen_t size = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
    if (error != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<TcpLineConnection> TcpLineConnection::open(const std::string& host, int port, const NetWait& wait)
{
    const std::string peer = host + " port " + std::to_string(port);
    const auto deadline = Clock::now() + wait.connectTimeout;
    const auto addresses = resolve(host, port, wait, deadline, peer);
    int error = 0;
    for (const addrinfo* address = addresses->first; address != nullptr; address = address->ai_next) {
        const int fd = connectTo(*address, deadline, wait, peer, error);
        if (fd >= 0)
            return std::unique_ptr<TcpLineConnection>(new TcpLineConnection(fd, peer, wait));
        if (error == ETIMEDOUT)
            break;
    }
    if (error == ETIMEDOUT)
        throw NetError(NetError::Kind::TimedOut,
                       "No connection to " + peer + " within " + durationText(wait.connectTimeout));
    throw NetError(NetError::Kind::Failed, "Could not connect to " + peer + ": " + std::strerror(error));
}

TcpLineConnection::TcpLineConnection(int socket, std::string peer, const NetWait& wait)
    : socket_(socket), peer_(std::move(peer)), wait_(wait)
{
}

TcpLineConnection::~TcpLineConnection() { close(socket_); }

bool TcpLineConnection::waitFor(short events, Clock::time_point deadline) const
{
    return waitOn(socket_, events, deadline, wait_, peer_);
}

void TcpLineConnection::writeLine(std::string_view line)
{
    std::string data(line);
    data += "\r\n";
    const auto deadline = Clock::now() + wait_.readTimeout;
    std::size_t sent = 0;
    while (sent < data.size()) {
        if (!waitFor(POLLOUT, deadline))
            throw NetError(NetError::Kind::TimedOut,
                           "No answer from " + peer_ + " within " + durationText(wait_.readTimeout));
        const ssize_t n = send(socket_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw NetError(NetError::Kind::Failed, "Lost the connection to " + peer_ + ": " + std::strerror(errno));
        if (n > 0)
            sent += static_cast<std::size_t>(n);
    }
}

std::optional<std::string> TcpLineConnection::takeLine()
{
    const auto end = received_.find('\n', scanned_);
    if (end == std::string::npos) {
        scanned_ = received_.size();
        if (received_.size() > kMaxLineBytes)
            throw NetError(NetError::Kind::Failed,
                           peer_ + " sent a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
        return std::nullopt;
    }
    std::string line = received_.substr(0, end);
    received_.erase(0, end + 1);
    scanned_ = 0;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kMaxLineBytes)
        throw NetError(NetError::Kind::Failed,
                       peer_ + " sent a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
    return line;
}

std::optional<std::string> TcpLineConnection::readLine()
{
    const auto deadline = Clock::now() + wait_.readTimeout;
    for (;;) {
        if (auto line = takeLine())
            return line;
        if (closedByPeer_) {
            if (received_.empty())
                return std::nullopt;
            scanned_ = 0;
            return std::exchange(received_, {});
        }
        if (!waitFor(POLLIN, deadline))
            throw NetError(NetError::Kind::TimedOut,
                           "No answer from " + peer_ + " within " + durationText(wait_.readTimeout));
        char chunk[kReceiveChunk];
        const ssize_t n = recv(socket_, chunk, sizeof chunk, 0);
        if (n > 0)
            received_.append(chunk, static_cast<std::size_t>(n));
        else if (n == 0)
            closedByPeer_ = true;
        else if (errno != EAGAIN && errno != EINTR)
            throw NetError(NetError::Kind::Failed, "Lost the connection to " + peer_ + ": " + std::strerror(errno));
    }
}

}  // namespace platform
