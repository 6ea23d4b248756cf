#pragma once

#include <cstddef>

namespace common {

// What a long step tells whoever watches it, and asks of them. Called from
// the step's own thread.
class Progress {
public:
    virtual ~Progress() = default;

    // `done` of `total` units (records, files, bytes) are finished.
    virtual void advance(std::size_t done, std::size_t total) = 0;
    // Whether the user asked to stop. A step asks only where stopping leaves
    // everything whole, and then ends early by its own rule.
    virtual bool cancelRequested() const = 0;
};

}  // namespace common
