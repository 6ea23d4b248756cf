#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/status_report.h"

namespace lookup {

// The online database's category list, asked for at start-up when the
// settings hold no genres. The answer comes later, on the asking thread,
// so the catalogue is usable meanwhile; without a source the genre list
// stays empty for the run.
class CategorySource {
public:
    // The categories, or none when the server could not give them (the
    // reason went to the status report).
    using Done = std::function<void(std::vector<std::string> categories)>;

    virtual ~CategorySource() = default;
    // Reports why it failed through `status`; calls `done` once.
    virtual void requestCategories(catalogue::StatusReport status, Done done) = 0;
};

}  // namespace lookup
