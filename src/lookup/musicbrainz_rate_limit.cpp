#include "lookup/musicbrainz_rate_limit.h"

#include <algorithm>
#include <thread>

#include "platform/net_error.h"

namespace lookup {

MusicBrainzRateLimit& MusicBrainzRateLimit::processWide()
{
    static MusicBrainzRateLimit limit;
    return limit;
}

void MusicBrainzRateLimit::waitTurn(const platform::NetWait& wait)
{
    Clock::time_point turn;
    {
        // Each caller books the next free turn, so threads queue up rather
        // than starting together.
        const std::lock_guard lock(mutex_);
        turn = std::max(Clock::now(), nextTurn_);
        nextTurn_ = turn + interval_;
    }
    pauseFor(std::chrono::ceil<std::chrono::milliseconds>(turn - Clock::now()), wait);
}

void MusicBrainzRateLimit::pauseFor(std::chrono::milliseconds pause, const platform::NetWait& wait)
{
    const Clock::time_point end = Clock::now() + pause;
    for (;;) {
        if (wait.isCancelled())
            throw platform::NetError(platform::NetError::Kind::Cancelled, "Cancelled");
        const auto now = Clock::now();
        if (now >= end)
            return;
        std::this_thread::sleep_for(std::min<Clock::duration>(end - now, platform::kCancelPollInterval));
    }
}

}  // namespace lookup
