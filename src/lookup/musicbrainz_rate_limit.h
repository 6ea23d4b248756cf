#pragma once

#include <chrono>
#include <mutex>

#include "platform/net_wait.h"

namespace lookup {

// Spaces the requests to MusicBrainz: its web service allows one a second
// from each client and blocks those that ask faster. Safe to share
// between threads.
class MusicBrainzRateLimit {
public:
    using Clock = std::chrono::steady_clock;

    explicit MusicBrainzRateLimit(std::chrono::milliseconds interval = std::chrono::seconds(1))
        : interval_(interval)
    {
    }

    // The limit every request of this process goes through.
    static MusicBrainzRateLimit& processWide();

    // Returns once a request may start, at least the interval after the
    // previous one started, and counts it as started. Throws NetError
    // (Cancelled) when the wait's flag is set meanwhile.
    void waitTurn(const platform::NetWait& wait);

    // Sleeps `pause`, looking at the wait's flag as the transports do.
    // Throws NetError (Cancelled) when it is set.
    static void pauseFor(std::chrono::milliseconds pause, const platform::NetWait& wait);

private:
    const std::chrono::milliseconds interval_;
    std::mutex mutex_;
    Clock::time_point nextTurn_{};
};

}  // namespace lookup
