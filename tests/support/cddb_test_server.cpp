#include "support/cddb_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <stdexcept>

#include "support/fixture_files.h"

namespace test_support {
namespace {

constexpr std::size_t kMaxRequest = 64 * 1024;
constexpr char kHttpHead[] = "HTTP/1.0 200 OK\r\nContent-Type: text/plain; charset=ISO-8859-1\r\n\r\n";

int listenOnLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 16) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int socket, const std::string& data)
{
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The next line from the client, without its line end; false at its end.
bool readLine(int socket, std::string& pending, std::string& line)
{
    for (;;) {
        const auto end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        char chunk[4096];
        const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
        if (n <= 0 || pending.size() > kMaxRequest)
            return false;
        pending.append(chunk, static_cast<std::size_t>(n));
    }
}

std::string decoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+')
            out += ' ';
        else if (text[i] == '%' && i + 2 < text.size())
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else
            out += text[i];
    }
    return out;
}

std::vector<std::string> wordsOf(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string lowerWord(const std::string& text, std::size_t index)
{
    const auto words = wordsOf(text);
    std::string word = index < words.size() ? words[index] : "";
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

bool isCommand(const std::string& line, const char* first, const char* second)
{
    return lowerWord(line, 0) == first && lowerWord(line, 1) == second;
}

}  // namespace

CddbTestServer::CddbTestServer() : database_(fixturePath("cddb/entries"))
{
    const int tcp = listenOnLoopback(tcpPort_);
    const int http = listenOnLoopback(httpPort_);
    acceptor_ = std::thread([this, tcp, http] { acceptLoop(tcp, http); });
}

CddbTestServer::~CddbTestServer()
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

void CddbTestServer::setSites(std::vector<std::string> lines)
{
    const std::lock_guard lock(mutex_);
    database_.setSites(std::move(lines));
}

std::vector<std::string> CddbTestServer::receivedLines() const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::unique_lock lock(mutex_);
    while (!open_.empty() && std::chrono::steady_clock::now() < deadline) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lock.lock();
    }
    return received_;
}

std::vector<std::string> CddbTestServer::requestTargets() const
{
    const std::lock_guard lock(mutex_);
    return targets_;
}

void CddbTestServer::acceptLoop(int tcpListener, int httpListener)
{
    pollfd listeners[2] = {{tcpListener, POLLIN, 0}, {httpListener, POLLIN, 0}};
    while (!stopping_) {
        if (poll(listeners, 2, 50) <= 0)
            continue;
        for (const pollfd& listener : listeners) {
            if ((listener.revents & POLLIN) == 0)
                continue;
            const int socket = accept4(listener.fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (socket < 0)
                continue;
            const bool tcp = listener.fd == tcpListener;
            const std::lock_guard lock(mutex_);
            open_.insert(socket);
            sessions_.emplace_back([this, socket, tcp] { tcp ? serveTcp(socket) : serveHttp(socket); });
        }
    }
    close(tcpListener);
    close(httpListener);
}

void CddbTestServer::serveTcp(int socket)
{
    const Fault fault = fault_;
    if (fault == Fault::Stall) {
        stallUntilStopped();
    } else if (fault == Fault::GreetingRefused) {
        sendAll(socket, "432 No connections allowed: permission denied.\r\n");
    } else if (fault == Fault::GreetingError) {
        sendAll(socket, "530 Server error, closing connection.\r\n");
    } else if (sendAll(socket, fault == Fault::Greeting200 ? "200 127.0.0.1 CDDBP test server ready, posting allowed.\r\n"
                                                           : "201 127.0.0.1 CDDBP test server ready.\r\n")) {
        std::string pending;
        std::string line;
        int level = 1;
        bool handshook = false;
        bool close = false;
        while (!close && readLine(socket, pending, line)) {
            record(received_, line);
            if (line.empty())
                continue;  // no reply at all, as the recorded server did
            if (handshook && misbehave(socket, line, ""))
                break;
            if (!sendAll(socket, joined(tcpReply(line, level, handshook, close))))
                break;
        }
    }
    finish(socket);
}

std::vector<std::string> CddbTestServer::tcpReply(const std::string& line, int& level, bool& handshook,
                                                  bool& close) const
{
    const std::vector<std::string> words = wordsOf(line);
    const std::string first = lowerWord(line, 0);
    if (first == "quit" && words.size() == 1) {
        close = true;
        return {"230 127.0.0.1 Closing connection.  Goodbye."};
    }
    if (first == "proto") {
        if (words.size() == 1)
            return {"200 CDDB protocol level: current " + std::to_string(level) + ", supported 6"};
        if (words.size() != 2 || words[1].find_first_not_of("0123456789") != std::string::npos)
            return {"500 Command syntax error: incorrect arg count or type."};
        const int wanted = std::atoi(words[1].c_str());
        if (wanted < 1 || wanted > 6)
            return {"501 Illegal protocol level."};
        if (wanted == level)
            return {"502 Protocol level already " + std::to_string(level) + "."};
        level = wanted;
        return {"201 OK, CDDB protocol level now: " + std::to_string(level)};
    }
    if (isCommand(line, "cddb", "hello")) {
        if (words.size() != 6)
            return {"500 Command syntax error: incorrect arg count for handshake."};
        if (handshook)
            return {"402 Already shook hands."};
        if (fault_ == Fault::HelloRefused) {
            close = true;
            return {"431 Handshake not successful, closing connection."};
        }
        if (fault_ == Fault::HelloUnknown) {
            close = true;
            return {"500 Unknown developer email"};
        }
        handshook = true;
        return {"200 Hello and welcome " + words[2] + "@" + words[3] + " running " + words[4] + " " + words[5] + "."};
    }
    if (first == "cddb" && !handshook)
        return {"409 No handshake."};
    if (const auto refusal = queryFault(line))
        return {*refusal};
    const std::lock_guard lock(mutex_);
    return database_.reply(line, level);
}

void CddbTestServer::serveHttp(int socket)
{
    std::string pending;
    std::string requestLine;
    std::string header;
    bool complete = readLine(socket, pending, requestLine);
    while (complete && readLine(socket, pending, header) && !header.empty()) {
    }
    const std::vector<std::string> words = wordsOf(requestLine);
    const Fault fault = fault_;
    if (!complete || words.size() != 3 || words[0] != "GET") {
        sendAll(socket, "HTTP/1.0 400 Bad Request\r\n\r\n");
        finish(socket);
        return;
    }
    record(targets_, words[1]);
    if (fault == Fault::Stall) {
        stallUntilStopped();
    } else if (fault == Fault::HttpServerError) {
        sendAll(socket, "HTTP/1.0 500 Internal Server Error\r\nContent-Type: text/plain\r\n\r\n");
    } else {
        std::string command;
        bool found = true;
        const std::vector<std::string> body = httpReply(words[1], command, found);
        if (!found)
            sendAll(socket, "HTTP/1.0 404 Not Found\r\n\r\n");
        else if (!misbehave(socket, command, kHttpHead))
            sendAll(socket, kHttpHead + joined(body));
    }
    finish(socket);
}

std::vector<std::string> CddbTestServer::httpReply(const std::string& target, std::string& command,
                                                   bool& found) const
{
    const auto question = target.find('?');
    found = target.substr(0, question) == "/~cddb/cddb.cgi";
    if (!found || question == std::string::npos)
        return {};
    std::vector<std::string> parameters;
    std::istringstream in(target.substr(question + 1));
    for (std::string parameter; std::getline(in, parameter, '&');)
        parameters.push_back(parameter);
    if (parameters.size() != 3 || parameters[0].rfind("cmd=", 0) != 0 || parameters[1].rfind("hello=", 0) != 0 ||
        parameters[2].rfind("proto=", 0) != 0)
        return {"500 Command syntax error: incorrect arg count."};
    command = decoded(parameters[0].substr(4));
    if (wordsOf(decoded(parameters[1].substr(6))).size() != 4)
        return {"500 Command syntax error: incorrect arg count for handshake."};
    const int level = std::atoi(parameters[2].substr(6).c_str());
    if (level < 1 || level > 6)
        return {"501 Illegal protocol level."};
    const std::string first = lowerWord(command, 0);
    if (first == "quit" || first == "proto")
        return {"500 Command syntax error: command not supported via HTTP."};
    if (const auto refusal = queryFault(command))
        return {*refusal};
    const std::lock_guard lock(mutex_);
    return database_.reply(command, level);
}

std::optional<std::string> CddbTestServer::queryFault(const std::string& command) const
{
    if (!isCommand(command, "cddb", "query"))
        return std::nullopt;
    if (fault_ == Fault::QueryServerError)
        return "500 Internal server error.";
    if (fault_ == Fault::QueryRefused)
        return "409 No handshake.";
    return std::nullopt;
}

bool CddbTestServer::misbehave(int socket, const std::string& command, const std::string& head) const
{
    const Fault fault = fault_;
    if (isCommand(command, "cddb", "query") && fault == Fault::EndlessLine) {
        const std::string chunk(64 * 1024, 'x');
        for (bool open = sendAll(socket, head + "211 "); open && !stopping_;)
            open = sendAll(socket, chunk);
        return true;
    }
    if (isCommand(command, "cddb", "query") && fault == Fault::EndlessList) {
        const std::string lines = joined(std::vector<std::string>(100, "rock 7c09100a Ashgrove / Northern Lines"));
        for (bool open = sendAll(socket, head + "211 Found inexact matches, list follows (until terminating `.')\r\n");
             open && !stopping_;)
            open = sendAll(socket, lines);
        return true;
    }
    if (isCommand(command, "cddb", "read") && fault == Fault::CloseMidEntry) {
        std::vector<std::string> reply;
        {
            const std::lock_guard lock(mutex_);
            reply = database_.reply(command, 5);
        }
        reply.resize(reply.size() / 2);
        sendAll(socket, head + joined(reply));
        return true;
    }
    return false;
}

void CddbTestServer::stallUntilStopped() const
{
    while (!stopping_)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void CddbTestServer::record(std::vector<std::string>& into, const std::string& text)
{
    const std::lock_guard lock(mutex_);
    into.push_back(text);
}

void CddbTestServer::finish(int socket)
{
    const std::lock_guard lock(mutex_);
    open_.erase(socket);
    close(socket);
}

}  // namespace test_support
