#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

namespace platform {

// A network step that did not complete. The message names the host and
// says what went wrong, ready to be shown to the user.
class NetError : public std::runtime_error {
public:
    enum class Kind { Failed, TimedOut, Cancelled };

    NetError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// "20 seconds", or "300 ms" for a wait that is no whole number of seconds.
inline std::string durationText(std::chrono::milliseconds wait)
{
    const auto ms = wait.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds" : std::to_string(ms) + " ms";
}

}  // namespace platform
