#include "platform/net/curl_http_getter.h"

#include <cctype>
#include <string_view>

#include "platform/net/curl_transfer.h"
#include "platform/net_error.h"

namespace platform {
namespace {

constexpr long kMaxRedirects = 3;

struct Body {
    std::string bytes;
    std::size_t limit = 0;
    bool overflowed = false;
    curl::Clock::time_point lastData;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& body = *static_cast<Body*>(user);
    const std::size_t n = size * count;
    if (body.bytes.size() + n > body.limit) {
        body.overflowed = true;
        return 0;  // makes curl end the transfer
    }
    body.bytes.append(data, n);
    body.lastData = curl::Clock::now();
    return n;
}

// Keeps the Retry-After of the last answer; a status line starts the
// headers of another answer (after a redirect).
std::size_t collectHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& retryAfter = *static_cast<std::string*>(user);
    const std::string_view line(data, size * count);
    constexpr std::string_view kName = "retry-after:";
    if (line.starts_with("HTTP/")) {
        retryAfter.clear();
    } else if (line.size() > kName.size()) {
        std::string name(line.substr(0, kName.size()));
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == kName) {
            const auto value = line.substr(kName.size());
            const auto first = value.find_first_not_of(" \t");
            const auto last = value.find_last_not_of(" \t\r\n");
            retryAfter = first == std::string_view::npos ? "" : std::string(value.substr(first, last - first + 1));
        }
    }
    return size * count;
}

bool isLoopback(const std::string& host)
{
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

}  // namespace

CurlHttpGetter::CurlHttpGetter() { curl::initialiseOnce(); }

HttpResponse CurlHttpGetter::fetch(const HttpRequest& request, const NetWait& wait)
{
    const std::string peer = request.host + " port " + std::to_string(request.port);
    const curl::Easy easy(curl_easy_init());
    if (!easy)
        throw NetError(NetError::Kind::Failed, "Could not start a web request to " + peer);

    const std::string url = std::string(request.tls ? "https://" : "http://") + curl::urlHost(request.host) + ":" +
                            std::to_string(request.port) + request.target;
    Body body;
    HttpResponse response;
    body.limit = request.maxBodyBytes;
    char error[CURL_ERROR_SIZE] = {};
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, collectHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &response.retryAfter);
    curl_easy_setopt(e, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(wait.connectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    if (isLoopback(request.host))
        curl_easy_setopt(e, CURLOPT_NOPROXY, request.host.c_str());
    const CURLcode result =
        curl::runTransfer(e, {wait, peer, "Cancelled while talking to " + peer, &body.lastData, {}});

    if (body.overflowed)
        throw NetError(NetError::Kind::Failed,
                       peer + " sent a reply longer than " + std::to_string(request.maxBodyBytes) + " bytes");
    if (result == CURLE_OPERATION_TIMEDOUT)
        throw NetError(NetError::Kind::TimedOut,
                       "No connection to " + peer + " within " + durationText(wait.connectTimeout));
    if (result != CURLE_OK)
        throw NetError(NetError::Kind::Failed, "Could not reach " + peer + ": " +
                                                   (error[0] != '\0' ? error : curl_easy_strerror(result)));
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &response.status);
    response.body = std::move(body.bytes);
    return response;
}

}  // namespace platform
