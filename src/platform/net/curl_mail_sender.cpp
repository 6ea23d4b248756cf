#include "platform/net/curl_mail_sender.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/net/curl_transfer.h"
#include "platform/net_error.h"

namespace platform {
namespace {

using curl::Clock;
// The answer to QUIT, which also follows a refusal.
constexpr std::string_view kClosingCode = "221";

struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What goes on between us and the server while the transfer runs.
struct Dialogue {
    const std::string* text = nullptr;
    std::size_t sent = 0;
    std::string reply;    // the reply being received: its code and the text of its lines
    std::string refusal;  // the last complete reply with a 4xx or 5xx code
    Clock::time_point lastActivity;
    curl_socket_t socket = CURL_SOCKET_BAD;
};

int noteSocket(void* user, curl_socket_t socket, curlsocktype)
{
    static_cast<Dialogue*>(user)->socket = socket;
    return CURL_SOCKOPT_OK;
}

std::size_t supplyMessage(char* buffer, std::size_t size, std::size_t count, void* user)
{
    auto& dialogue = *static_cast<Dialogue*>(user);
    const std::size_t n = std::min(size * count, dialogue.text->size() - dialogue.sent);
    std::memcpy(buffer, dialogue.text->data() + dialogue.sent, n);
    dialogue.sent += n;
    dialogue.lastActivity = Clock::now();
    return n;
}

// libcurl hands every reply line of the server to the header callback.
// "550-first" continues a reply, "550 last" ends it.
std::size_t collectReply(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& dialogue = *static_cast<Dialogue*>(user);
    const std::size_t n = size * count;
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    dialogue.lastActivity = Clock::now();
    if (dialogue.reply.empty())
        dialogue.reply = line.substr(0, 3);
    if (line.size() > 4)
        dialogue.reply += " " + line.substr(4);
    if (line.size() > 3 && line[3] == '-')
        return n;
    const std::string code = dialogue.reply.substr(0, 3);
    if (code.starts_with('4') || code.starts_with('5'))
        dialogue.refusal = dialogue.reply;
    else if (code != kClosingCode)
        dialogue.refusal.clear();  // refused, then accepted on another try
    dialogue.reply.clear();
    return n;
}

// The name the greeting gives for this machine.
std::string machineName()
{
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0')
        return "localhost";
    return name.data();
}

}  // namespace

CurlMailSender::CurlMailSender() { curl::initialiseOnce(); }

void CurlMailSender::send(const MailServer& server, const MailMessage& message, const NetWait& wait)
{
    const std::string peer = "mail server " + server.host + " port " + std::to_string(server.port);
    const curl::Easy easy(curl_easy_init());
    const std::string to = "<" + message.to + ">";
    const std::unique_ptr<curl_slist, ListDeleter> recipients(curl_slist_append(nullptr, to.c_str()));
    if (!easy || !recipients)
        throw NetError(NetError::Kind::Failed, "Could not start sending mail to " + peer);

    const std::string url =
        "smtp://" + curl::urlHost(server.host) + ":" + std::to_string(server.port) + "/" + machineName();
    const std::string from = "<" + message.from + ">";
    Dialogue dialogue;
    dialogue.text = &message.text;
    char error[CURL_ERROR_SIZE] = {};
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "smtp");
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(e, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(e, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(e, CURLOPT_READFUNCTION, supplyMessage);
    curl_easy_setopt(e, CURLOPT_READDATA, &dialogue);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, collectReply);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &dialogue);
    curl_easy_setopt(e, CURLOPT_SOCKOPTFUNCTION, noteSocket);
    curl_easy_setopt(e, CURLOPT_SOCKOPTDATA, &dialogue);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(wait.connectTimeout.count()));
    // The transfer loop times silence; libcurl's own limit for an answer comes later.
    const auto answerLimit = std::chrono::ceil<std::chrono::seconds>(wait.readTimeout) + std::chrono::seconds(1);
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(answerLimit.count()));
    // Leaving a transfer midway makes libcurl finish the mail dialogue
    // first, waiting for the server as long as it likes; with the
    // connection shut down it has nothing to wait for.
    const auto shutDown = [&dialogue] {
        if (dialogue.socket != CURL_SOCKET_BAD)
            shutdown(dialogue.socket, SHUT_RDWR);
    };
    const CURLcode result = curl::runTransfer(
        e, {wait, peer, "Cancelled while sending mail to " + peer, &dialogue.lastActivity, shutDown});

    if (result == CURLE_OK)
        return;
    if (!dialogue.refusal.empty())
        throw NetError(NetError::Kind::Failed, peer + " refused the message: " + dialogue.refusal);
    if (result == CURLE_OPERATION_TIMEDOUT)
        throw NetError(NetError::Kind::TimedOut,
                       "No connection to " + peer + " within " + durationText(wait.connectTimeout));
    throw NetError(NetError::Kind::Failed, "Could not send mail through " + peer + ": " +
                                               (error[0] != '\0' ? error : curl_easy_strerror(result)));
}

}  // namespace platform
