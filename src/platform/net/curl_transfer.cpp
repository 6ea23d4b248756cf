#include "platform/net/curl_transfer.h"

#include <mutex>

#include "platform/net_error.h"

namespace platform::curl {
namespace {

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

}  // namespace

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string urlHost(const std::string& host)
{
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

CURLcode runTransfer(CURL* easy, const Watch& watch)
{
    const std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi)
        throw NetError(NetError::Kind::Failed, "Could not start talking to " + watch.peer);
    curl_multi_add_handle(multi.get(), easy);
    const auto giveUp = [&](NetError::Kind kind, const std::string& message) {
        if (watch.beforeAbandon)
            watch.beforeAbandon();
        curl_multi_remove_handle(multi.get(), easy);
        throw NetError(kind, message);
    };

    // Silence counts from the moment the connection stands.
    bool connected = false;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (!connected) {
            curl_off_t connectTime = 0;
            curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime);
            if (connectTime > 0) {
                connected = true;
                *watch.lastActivity = Clock::now();
            }
        }
        if (running == 0)
            break;
        if (watch.wait.isCancelled())
            giveUp(NetError::Kind::Cancelled, watch.cancelledText);
        if (connected && Clock::now() - *watch.lastActivity >= watch.wait.readTimeout)
            giveUp(NetError::Kind::TimedOut,
                   "No answer from " + watch.peer + " within " + durationText(watch.wait.readTimeout));
        curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(kCancelPollInterval.count()), nullptr);
    }
    CURLcode result = CURLE_OK;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), easy);
    return result;
}

}  // namespace platform::curl
