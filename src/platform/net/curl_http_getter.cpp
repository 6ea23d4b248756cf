#include "platform/net/curl_http_getter.h"

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

bool isLoopback(const std::string& host)
{
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

}  // namespace

CurlHttpGetter::CurlHttpGetter() { curl::initialiseOnce(); }

std::string CurlHttpGetter::get(const HttpRequest& request, const NetWait& wait)
{
    const std::string peer = request.host + " port " + std::to_string(request.port);
    const curl::Easy easy(curl_easy_init());
    if (!easy)
        throw NetError(NetError::Kind::Failed, "Could not start a web request to " + peer);

    const std::string url = std::string(request.tls ? "https://" : "http://") + curl::urlHost(request.host) + ":" +
                            std::to_string(request.port) + request.target;
    Body body;
    body.limit = request.maxBodyBytes;
    char error[CURL_ERROR_SIZE] = {};
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &body);
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
    long status = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299)
        throw NetError(NetError::Kind::Failed, peer + " answered with HTTP status " + std::to_string(status));
    return std::move(body.bytes);
}

}  // namespace platform
