#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xbase/cursor.h"

namespace reports {

// Chosen fields of a cursor's current row, as a report writes them:
// character fields without their trailing blanks (leading ones stay: a
// track number is "  7"), memos whole. The texts point into the table's
// record, so reading a row copies nothing but memos.
class RowValues {
public:
    // Throws xbase::XbaseError naming a field the table lacks.
    RowValues(const xbase::Cursor& cursor, const std::vector<std::string>& names);

    // Requires: the cursor stands on a row. Valid until the next read.
    void read();
    std::string_view operator[](std::size_t i) const { return values_[i]; }
    std::size_t size() const { return values_.size(); }

private:
    const xbase::Cursor& cursor_;
    std::vector<int> fields_;
    std::vector<std::string_view> values_;
    std::vector<std::string> memos_;
};

// `text` without trailing blanks.
std::string_view trimmedRight(std::string_view text);

}  // namespace reports
