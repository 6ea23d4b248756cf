#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/cursor_browsing.h"
#include "catalogue/status_report.h"
#include "common/prompter.h"

namespace playback {

inline constexpr std::string_view kSettingFilterText = "Setting filter, please wait ...";
inline constexpr std::string_view kInvalidTracksFilterText = "Invalid Filter Expression\r";
inline constexpr std::string_view kDjPreparingText = "Preparing Music List for upload to DJ Intelligence";
inline constexpr std::string_view kDjCreatedText = "DJintel.csv created for upload to DJ Intelligence";

// The rules of the tracks view window over the catalogue's tracksView (the
// work table TVIEW.DBF, made by TracksViewBuilder): its order by column
// title, the keyboard jump, the filter, the way back to the albums and the
// DJ upload file. Columns show the field of the same name, ordered by the
// tag of that name.
class TracksView {
public:
    using TitleClick = catalogue::TitleClick;

    // `catalogue`, `prompter` and `status` must outlive this object.
    TracksView(catalogue::Catalogue& catalogue, common::Prompter& prompter, catalogue::StatusReport status);

    catalogue::TableView& view() const { return catalogue_.tracksView(); }

    // Opens the built work table in order Track at its first row and shows
    // "One row for each of the N tracks with artist entry in your
    // database", which is kept as openedStatus(). Throws xbase::XbaseError.
    void open();
    // The view closed, its filter and order removed.
    void close();
    const std::string& openedStatus() const { return openedStatus_; }

    // Whether the rows are in the order of the tag named `field`.
    bool isCurrentOrder(std::string_view field) const;
    // A click on the title of `field`'s column: in another order, order by
    // its tag; already in it, move on to the next row whose `field` differs
    // (the last row when none does).
    TitleClick orderByTitle(std::string_view field);
    // A typed character (32 to 126): the first row whose key is at or after
    // it in upper case (the last row when none is). Returns whether the
    // current row changed.
    bool jumpToKey(int key);

    // "Set Filter" with `expression` as typed. An expression the engine
    // refuses: "Invalid Filter Expression\r" + it in the error box, the
    // earlier filter stays, false. Otherwise the filter is on (an empty one
    // passes every row), the first row current, the status "N tracks pass
    // filter: " + it, true.
    bool setFilter(const std::string& expression);
    // Filter off, first row current, the opened status shown again.
    void cancelFilter();

    // The album of the current row; "" at end of file.
    std::string currentAlbumId() const;

    // "Create Music File for upload": DJintel.csv in the program directory
    // from the rows passing the filter in artist order; the current row and
    // order stay, and the information box says it was made. Throws
    // xbase::XbaseError when the file cannot be written.
    void writeDjFile();

private:
    void show(const std::string& text) const;

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    catalogue::StatusReport status_;
    std::string openedStatus_;
};

}  // namespace playback
