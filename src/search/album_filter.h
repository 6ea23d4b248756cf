#pragma once

#include <string>
#include <string_view>

#include "catalogue/status_report.h"
#include "catalogue/table_view.h"
#include "common/prompter.h"
#include "search/filter_history.h"
#include "xbase/field.h"

namespace search {

inline constexpr std::string_view kInvalidFilterText = "Invalid Filter Expression: ";
inline constexpr std::string_view kNoRecordsPassText = "Sorry, no records pass filter: ";
inline constexpr std::string_view kFilteringOnText = "Filtering ON: ";

// "Invalid Filter Expression: ", a line break, `expression`, a line break
// and the engine's reason (unknown field, type mismatch, where the syntax
// fails) when `expression` is no filter of `layout`; empty when it is one.
std::string invalidFilterMessage(const std::string& expression, const xbase::RecordLayout& layout);

// The rules of the albums filter: what the filter window proposes, its OK,
// and "Cancel Filter". Only the main albums view is filtered; a filter
// stays in force until cancelled or replaced.
class AlbumFilter {
public:
    enum class Outcome { TooShort, Invalid, NoRecords, Applied };

    // Trimmed texts this long or shorter are not taken as a filter.
    static constexpr std::size_t kShortest = 2;

    // `albums` is the main albums view (open while the rules are used);
    // `status` shows the main status bar's text. Both, and `prompter`,
    // must outlive this object.
    AlbumFilter(catalogue::TableView& albums, common::Prompter& prompter, catalogue::StatusReport status);

    // genre="g", g the current album's genre without trailing blanks
    // (genre="" when there is no current album).
    std::string proposal() const;

    // The window's OK with `expression` as typed:
    //  - at most kShortest characters once trimmed: nothing happens;
    //  - not a valid filter of the albums: error box with the engine's
    //    reason, the earlier filter stays;
    //  - no album passes: error box, filtering off;
    //  - else the filter is on from the first passing album, a new
    //    expression goes first into `history` (saved), and the status bar
    //    shows "Filtering ON: " and it.
    // Throws xbase::XbaseError when the history cannot be saved.
    Outcome apply(const std::string& expression, FilterHistory& history);

    // After the filter window closed: a status bar saying "Filtering ON"
    // is cleared when no filter is on.
    void windowClosed();
    // "Cancel Filter": filtering off, status bar cleared; the current album
    // stays.
    void cancel();

private:
    catalogue::TableView& albums_;
    common::Prompter& prompter_;
    catalogue::StatusReport status_;
};

}  // namespace search
