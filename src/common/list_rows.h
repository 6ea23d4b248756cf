#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace common {

// Takes the entries at `rows` out of `from`, from the last row to the first
// so the rows still to take keep their places, and hands each to `put`.
// Rows past the end and repeated rows are skipped.
template <typename Put>
void takeRowsLastFirst(std::vector<std::string>& from, const std::vector<std::size_t>& rows, Put put)
{
    std::vector<std::size_t> descending(rows);
    std::sort(descending.begin(), descending.end(), std::greater<>());
    descending.erase(std::unique(descending.begin(), descending.end()), descending.end());
    for (std::size_t row : descending) {
        if (row >= from.size())
            continue;
        put(std::move(from[row]));
        from.erase(from.begin() + static_cast<std::ptrdiff_t>(row));
    }
}

}  // namespace common
