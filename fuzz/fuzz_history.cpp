// Fuzzes the filter history reader: any bytes are taken as a history file.
// What it reads must come back unchanged when written and read again, and
// the letter-case comparison must be symmetric and reflexive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "search/filter_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using search::FilterHistory;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = FilterHistory::parse(text);
    if (FilterHistory::parse(FilterHistory::text(entries)) != entries)
        std::abort();
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        const bool same = FilterHistory::sameExpression(entries[i], entries[i + 1]);
        if (same != FilterHistory::sameExpression(entries[i + 1], entries[i]))
            std::abort();
        if (!FilterHistory::sameExpression(entries[i], entries[i]))
            std::abort();
    }
    return 0;
}
