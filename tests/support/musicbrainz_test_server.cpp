#include "support/musicbrainz_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "support/fixture_files.h"

namespace test_support {
namespace {

constexpr std::size_t kMaxRequest = 64 * 1024;
constexpr char kNotFoundBody[] = R"({"error":"Not Found","help":"For usage, please see the web service's pages"})";
constexpr char kBusyBody[] =
    R"({"error":"Your requests are exceeding the allowable rate limit.","help":"Ask at most once a second"})";

int bindLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot bind to 127.0.0.1");
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int socket, const std::string& data)
{
    for (std::size_t sent = 0; sent < data.size();) {
        const ssize_t n = send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// The request head up to its blank line; "" when the client went first.
std::string readHead(int socket)
{
    std::string head;
    char chunk[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequest) {
        const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0)
            return {};
        head.append(chunk, static_cast<std::size_t>(n));
    }
    return head;
}

std::string headerValue(const std::string& head, const std::string& name)
{
    const auto start = head.find("\r\n" + name + ": ");
    if (start == std::string::npos)
        return {};
    const auto value = start + name.size() + 4;
    return head.substr(value, head.find("\r\n", value) - value);
}

std::string percentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size())
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else
            out += text[i] == '+' ? ' ' : text[i];
    }
    return out;
}

std::string parameter(const std::string& query, const std::string& name)
{
    const auto start = ("&" + query).find("&" + name + "=");
    if (start == std::string::npos)
        return {};
    const auto value = start + name.size() + 1;
    return percentDecoded(query.substr(value, query.find('&', value) - value));
}

// The document `name` of tests/data/musicbrainz, or false without one.
bool document(const std::string& name, std::string& body)
{
    const std::string path = fixturePath("musicbrainz/" + name);
    if (!std::filesystem::exists(path))
        return false;
    body = readFile(path);
    return true;
}

const char* reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 307: return "Temporary Redirect";
    case 404: return "Not Found";
    case 503: return "Service Unavailable";
    default: return "Bad Request";
    }
}

}  // namespace

MusicBrainzTestServer::MusicBrainzTestServer()
{
    const int listener = bindLoopback(port_);
    if (listen(listener, 16) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    acceptor_ = std::thread([this, listener] { acceptLoop(listener); });
}

MusicBrainzTestServer::~MusicBrainzTestServer()
{
    stopping_ = true;
    acceptor_.join();
    {
        const std::lock_guard lock(mutex_);
        for (const int socket : open_)
            shutdown(socket, SHUT_RDWR);
    }
    for (std::thread& session : sessions_)
        session.join();
}

std::string MusicBrainzTestServer::url() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<MusicBrainzTestServer::Request> MusicBrainzTestServer::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

std::string MusicBrainzTestServer::closedUrl()
{
    int port = 0;
    close(bindLoopback(port));
    return "http://127.0.0.1:" + std::to_string(port);
}

void MusicBrainzTestServer::acceptLoop(int listener)
{
    pollfd waiting{listener, POLLIN, 0};
    while (!stopping_) {
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        const int socket = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0)
            continue;
        const std::lock_guard lock(mutex_);
        open_.insert(socket);
        sessions_.emplace_back([this, socket] { serve(socket); });
    }
    close(listener);
}

void MusicBrainzTestServer::serve(int socket)
{
    const std::string head = readHead(socket);
    const auto targetStart = head.find(' ') + 1;
    if (!head.empty() && targetStart != 0) {
        const std::string target = head.substr(targetStart, head.find(' ', targetStart) - targetStart);
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back({target, headerValue(head, "User-Agent"), std::chrono::steady_clock::now()});
        }
        int status = 200;
        std::string headers;
        std::string body;
        answer(target, status, headers, body);
        const Fault fault = fault_;
        if (fault == Fault::Stall) {
            while (!stopping_)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } else if (fault == Fault::Huge && status == 200) {
            // Valid JSON for as long as it goes, so only its size is wrong.
            std::string chunk(64 * 1024, ' ');
            bool sending = sendAll(socket, "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                                               std::to_string(kHugeBytes) + "\r\nConnection: close\r\n\r\n[");
            for (std::size_t sent = 1; sending && sent < kHugeBytes; sent += chunk.size())
                sending = sendAll(socket, chunk);
        } else {
            if (fault == Fault::Malformed && status == 200)
                body.resize(body.size() / 2);
            sendAll(socket, "HTTP/1.1 " + std::to_string(status) + " " + reason(status) +
                                "\r\nContent-Type: application/json\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n" + headers + "Connection: close\r\n\r\n" + body);
        }
    }
    const std::lock_guard lock(mutex_);
    open_.erase(socket);
    close(socket);
}

void MusicBrainzTestServer::answer(const std::string& target, int& status, std::string& headers,
                                   std::string& body)
{
    Fault busyOnce = Fault::BusyOnce;
    if (fault_ == Fault::AlwaysBusy || fault_.compare_exchange_strong(busyOnce, Fault::None)) {
        status = 503;
        headers = "Retry-After: 1\r\n";
        body = kBusyBody;
        return;
    }
    const auto question = target.find('?');
    const std::string path = target.substr(0, question);
    const std::string query = question == std::string::npos ? "" : target.substr(question + 1);
    const auto tail = [&path](const std::string& prefix) {
        return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : std::string();
    };
    bool found = true;
    if (path == "/ws/2/discid/-") {
        const std::string toc = parameter(query, "toc");
        const auto leadOut = toc.substr(toc.find(' ', toc.find(' ') + 1) + 1);
        if (!document("toc-" + leadOut.substr(0, leadOut.find(' ')) + ".json", body))
            body = R"({"release-count":0,"release-offset":0,"releases":[]})";
    } else if (!tail("/ws/2/discid/").empty()) {
        found = document("discid-" + tail("/ws/2/discid/") + ".json", body);
    } else if (path == "/ws/2/release") {
        const std::string search = parameter(query, "query");
        if (search.rfind("barcode:", 0) != 0 || !document("barcode-" + search.substr(8) + ".json", body))
            body = R"({"created":"2026-01-01T00:00:00.000Z","count":0,"offset":0,"releases":[]})";
    } else if (!tail("/ws/2/release/").empty()) {
        found = document("release-" + tail("/ws/2/release/") + ".json", body);
    } else if (path.size() > 10 && path.ends_with("/front-500") && !tail("/release/").empty()) {
        const std::string release = tail("/release/").substr(0, 36);
        found = std::filesystem::exists(fixturePath("musicbrainz/cover-" + release + ".jpg"));
        if (found) {
            // Where the archive keeps its images is somewhere else.
            status = 307;
            headers = "Location: /images/" + release + "-500.jpg\r\n";
            body = "See: /images/" + release + "-500.jpg\n";
        }
    } else if (!tail("/images/").empty()) {
        found = document("cover-" + tail("/images/").substr(0, 36) + ".jpg", body);
    } else {
        found = false;
    }
    if (!found) {
        status = 404;
        body = kNotFoundBody;
    }
}

}  // namespace test_support
