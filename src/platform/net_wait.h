#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>

namespace platform {

// How long a network step may wait, and the flag that stops it early.
struct NetWait {
    std::chrono::milliseconds connectTimeout{20000};
    // For each line of a line protocol; for an HTTP reply, the longest
    // silence once connected.
    std::chrono::milliseconds readTimeout{60000};
    // Set from another thread to stop the step; nullptr: never stopped.
    const std::atomic<bool>* cancelled = nullptr;

    bool isCancelled() const { return cancelled != nullptr && cancelled->load(); }
};

// The transports look at the cancel flag at least this often, so a user's
// Cancel takes effect well within a second.
inline constexpr std::chrono::milliseconds kCancelPollInterval{100};

// The longest line a server may send; a longer one ends the exchange rather
// than filling memory.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

}  // namespace platform
