#pragma once

#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/net_wait.h"

// What the libcurl back-ends share: handles, one-time set-up and the loop
// that runs a transfer while watching the cancel flag and the silence.
namespace platform::curl {

using Clock = std::chrono::steady_clock;

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// libcurl's global set-up, once per process.
void initialiseOnce();

// `host` as a URL spells it: an IPv6 address in brackets.
std::string urlHost(const std::string& host);

// How one transfer is watched.
struct Watch {
    const NetWait& wait;
    std::string peer;          // for messages: "HOST port N"
    std::string cancelledText; // the message when the user stops it
    // Set by the transfer's callbacks whenever data moves; the silence
    // counts from it once the connection stands.
    Clock::time_point* lastActivity;
    // Runs before a transfer is given up midway (cancel, silence).
    std::function<void()> beforeAbandon;
};

// Runs `easy` to its end and returns libcurl's result. Throws NetError
// (Cancelled or TimedOut) when the user stops it or the peer falls silent
// for longer than the read time-out.
CURLcode runTransfer(CURL* easy, const Watch& watch);

}  // namespace platform::curl
