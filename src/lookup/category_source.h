#pragma once

#include <string>
#include <vector>

#include "catalogue/status_report.h"

namespace lookup {

// The online database's category list, asked for at start-up when the
// settings hold no genres. The lookup client provides it; without one the
// genre list stays empty for the run.
class CategorySource {
public:
    virtual ~CategorySource() = default;
    // Reports its progress through `status`.
    virtual std::vector<std::string> fetchCategories(const catalogue::StatusReport& status) = 0;
};

}  // namespace lookup
