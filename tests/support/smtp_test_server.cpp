#include "support/smtp_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "support/fixture_files.h"

extern char** environ;

namespace test_support {
namespace {

constexpr int kStartLimitMs = 10000;

const char* modeName(SmtpTestServer::Mode mode)
{
    switch (mode) {
    case SmtpTestServer::Mode::Accept:
        return "accept";
    case SmtpTestServer::Mode::Refuse:
        return "refuse";
    case SmtpTestServer::Mode::Silent:
        return "silent";
    }
    return "accept";
}

// The first line the server prints: its port.
int readPort(int fd)
{
    std::string line;
    char c = 0;
    pollfd waitFor{fd, POLLIN, 0};
    while (poll(&waitFor, 1, kStartLimitMs) == 1 && read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line.empty() ? 0 : std::stoi(line);
}

}  // namespace

SmtpTestServer::SmtpTestServer(Mode mode)
{
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("no pipe for the SMTP test server");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string python = "/usr/bin/python3";
    std::string script = VINORA_SMTP_TEST_SERVER;
    std::string folder = folder_.path();
    std::string modeText = modeName(mode);
    std::string refusal = kRefusal;
    char* argv[] = {python.data(), script.data(), folder.data(), modeText.data(), refusal.data(), nullptr};
    const int spawned = posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    port_ = spawned == 0 ? readPort(out[0]) : 0;
    close(out[0]);
    if (port_ == 0) {
        if (spawned == 0)
            kill(pid_, SIGKILL);
        throw std::runtime_error("the SMTP test server did not start (is python3-aiosmtpd installed?)");
    }
}

SmtpTestServer::~SmtpTestServer()
{
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::vector<SmtpTestServer::Delivery> SmtpTestServer::deliveries() const
{
    std::vector<Delivery> out;
    for (int n = 1; std::filesystem::exists(folder_.file(std::to_string(n) + ".eml")); ++n) {
        Delivery delivery;
        std::istringstream envelope(readFile(folder_.file(std::to_string(n) + ".envelope")));
        std::getline(envelope, delivery.from);
        for (std::string line; std::getline(envelope, line);)
            delivery.to.push_back(line);
        delivery.bytes = readFile(folder_.file(std::to_string(n) + ".eml"));
        out.push_back(std::move(delivery));
    }
    return out;
}

int SmtpTestServer::closedPort()
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    close(socket);
    return ntohs(address.sin_port);
}

}  // namespace test_support
