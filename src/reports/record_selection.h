#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "reports/selection_settings.h"
#include "xbase/cursor.h"
#include "xbase/file.h"

namespace search {
class FilterHistory;
}

namespace reports {

inline constexpr std::string_view kNoRecordsPassText = "Sorry, no records pass filter:\r";

// The albums, tracks and playlist marks every report output reads, chosen
// by the filters of SelectionSettings. Its cursors are its own, over the
// catalogue files of the program directory, so the main window's views keep
// their place. With a tracks filter the albums come from "temp.dbf" in the
// program directory: a copy of every album with a track passing it, with
// the five ALBUMS tags; it is made anew each time and left on disk.
class RecordSelection {
public:
    explicit RecordSelection(std::string programDir, xbase::FileSystem& fs = xbase::defaultFileSystem());
    ~RecordSelection();
    RecordSelection(const RecordSelection&) = delete;
    RecordSelection& operator=(const RecordSelection&) = delete;

    // Selects afresh; returns "" when there is something to output, else
    // the message for the user (nothing selected then):
    //   "Invalid Filter Expression: \r" + expression + "\r" + the engine's reason
    //   "Sorry, no records pass filter:\r" + expression
    //   the albums that pass both filters are none (see combinedFailureText)
    // The tracks filter is checked only when tracks or playlists are
    // included. Filters that passed go to the front of their history (saved)
    // when not listed yet. Throws xbase::XbaseError when a file fails, or
    // for a bad tracks filter that was not checked.
    std::string prepare(const SelectionSettings& settings, search::FilterHistory& albumsHistory,
                        search::FilterHistory& tracksHistory);

    static std::string combinedFailureText(std::string_view albumsFilter, std::string_view tracksFilter);

    const SelectionSettings& settings() const { return settings_; }
    // After a prepare() that returned "": the selected albums in the chosen
    // order; every track in order Tracks (ID+NR), its filter off; the
    // playlist marks in order Playlist (only with includePlaylists).
    xbase::Cursor& albums() { return *albums_; }
    xbase::Cursor& tracks() { return *tracks_; }
    xbase::Cursor& playlist() { return *playlist_; }

    // Lets go of every table (temp.dbf stays on disk).
    void release();

private:
    std::shared_ptr<xbase::Table> openTable(std::string_view fileName, xbase::OpenMode mode) const;
    // Copies every album with a track passing the tracks filter into
    // temp.dbf and points the albums cursor at it.
    void selectThroughTracks(const std::string& tracksFilter);

    std::string dir_;
    xbase::FileSystem& fs_;
    SelectionSettings settings_;
    std::unique_ptr<xbase::Cursor> albums_;
    std::unique_ptr<xbase::Cursor> tracks_;
    std::unique_ptr<xbase::Cursor> playlist_;
};

}  // namespace reports
