#pragma once

#include <functional>

namespace lookup {

// How a flow waits for an exchange that runs off the window thread (a disc
// lookup, a submission): the windows keep painting, the user sees that
// something runs and can ask to stop it.
class ExchangeWait {
public:
    virtual ~ExchangeWait() = default;
    // Returns once end() is called; `cancel` runs when the user asks to
    // stop, and the exchange then ends soon with end().
    // Requires: the exchange has not ended yet (its answer comes through
    // the event loop, which this runs).
    virtual void wait(const std::function<void()>& cancel) = 0;
    // From the exchange's answer, on the window thread.
    virtual void end() = 0;
};

}  // namespace lookup
