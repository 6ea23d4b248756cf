#include "platform/net/curl_http_getter.h"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>

#include "platform/net_error.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr long kMaxRedirects = 3;

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

struct Body {
    std::string bytes;
    std::size_t limit = 0;
    bool overflowed = false;
    Clock::time_point lastData;
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
    body.lastData = Clock::now();
    return n;
}

bool isLoopback(const std::string& host)
{
    return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

std::string urlHost(const std::string& host)
{
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

CurlHttpGetter::CurlHttpGetter()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string CurlHttpGetter::get(const HttpRequest& request, const NetWait& wait)
{
    const std::string peer = request.host + " port " + std::to_string(request.port);
    const std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    const std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi)
        throw NetError(NetError::Kind::Failed, "Could not start a web request to " + peer);

    const std::string url = std::string(request.tls ? "https://" : "http://") + urlHost(request.host) + ":" +
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
    curl_multi_add_handle(multi.get(), e);

    // Silence counts from the moment the connection stands.
    bool connected = false;
    int running = 1;
    CURLcode result = CURLE_OK;
    while (running > 0) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (!connected) {
            curl_off_t connectTime = 0;
            curl_easy_getinfo(e, CURLINFO_CONNECT_TIME_T, &connectTime);
            if (connectTime > 0) {
                connected = true;
                body.lastData = Clock::now();
            }
        }
        if (running == 0)
            break;
        if (wait.isCancelled()) {
            curl_multi_remove_handle(multi.get(), e);
            throw NetError(NetError::Kind::Cancelled, "Cancelled while talking to " + peer);
        }
        if (connected && Clock::now() - body.lastData >= wait.readTimeout) {
            curl_multi_remove_handle(multi.get(), e);
            throw NetError(NetError::Kind::TimedOut,
                           "No answer from " + peer + " within " + durationText(wait.readTimeout));
        }
        curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(kCancelPollInterval.count()), nullptr);
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), e);

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
