#pragma once

#include <string>
#include <string_view>

#include "common/progress.h"
#include "reports/selection_settings.h"

namespace reports {

class RecordSelection;

inline constexpr std::string_view kHtmlPageFile = "Vinora.html";
inline constexpr std::string_view kHtmlOrderText = "Albums must be sorted by Artist, Album or Natural for HTML output";

// The web page of the selected albums: one table row an album (artist and
// album, album first in Album order), with the album's tracks beside it
// when tracks are included, each further track on a row of its own. Rows
// are banded in two colours that change with the first letter of the
// sorted column (record order: no bands). Every text is escaped; the page
// declares the bytes' encoding (Windows-1252).
class HtmlPage {
public:
    // Only these orders make a page.
    static bool allowed(SortOrder order) { return order != SortOrder::Label && order != SortOrder::Genre; }

    // Writes the page to `path`; false when the user cancelled, and then, as
    // after a failure, a file at `path` stays as it was.
    // Requires: selection prepared, its order allowed.
    // Throws xbase::XbaseError when the file cannot be written or a table read.
    static bool write(RecordSelection& selection, const std::string& path, common::Progress& progress);
};

}  // namespace reports
