#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/progress.h"
#include "support/catalogue_rows.h"
#include "support/temp_dir.h"
#include "xbase/cursor.h"

namespace test_support {

// A small collection for the tracks view, its views open:
//   z0000001 "Night Songs" (rock, 1999) by Zeta Band: a title with a comma
//            and quotes, one with a line break and a Windows-1252 letter,
//            one longer than the view's 50 characters;
//   z0000002 "Mix Tape" (pop, 2005), several artists: tracks 1 and 2 have
//            artist rows, track 3 has none; an artist row names track 9,
//            which is gone;
//   an artist row of album z0000099, which is not in ALBUMS.
class TracksViewCollection {
public:
    static constexpr const char* kLongTitle = "Quartet for the End of Time, third movement: Abyss of the Birds";

    TracksViewCollection()
    {
        catalogue.createMissingFilesAndOpenViews();
        const std::string& d = dir.path();
        appendRow(d, "ALBUMS.DBF", {{"ID", "z0000001"}, {"Album", "Night Songs"}, {"Artist", "Zeta Band"},
                                    {"Genre", "rock"}, {"YR", "1999"}});
        appendRow(d, "ALBUMS.DBF", {{"ID", "z0000002"}, {"Album", "Mix Tape"}, {"Artist", "Various"},
                                    {"Genre", "pop"}, {"YR", "2005"}});
        // Out of number order on purpose: the view lists them by number.
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000001"}, {"NR", "  2"}, {"Track", "Answer, \"Yes\" or \"No\""}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000001"}, {"NR", "  1"}, {"Track", "Queen of Night"}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000001"}, {"NR", "  3"}, {"Track", "Line\r\nBreak at the Caf\xe9"}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000001"}, {"NR", " 10"}, {"Track", kLongTitle}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000002"}, {"NR", "  1"}, {"Track", "Alpha Singer / quiet Song"}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000002"}, {"NR", "  2"}, {"Track", "Beta Singer / Slow Dance"}});
        appendRow(d, "TRACKS.DBF", {{"ID", "z0000002"}, {"NR", "  3"}, {"Track", "Gamma / Lost Track"}});
        appendRow(d, "ARTISTS.DBF", {{"ID", "z0000001"}, {"Artist", "Zeta Band"}});
        appendRow(d, "ARTISTS.DBF", {{"ID", "z0000002"}, {"NR", "  2"}, {"Artist", "Beta Singer"}});
        appendRow(d, "ARTISTS.DBF", {{"ID", "z0000002"}, {"NR", "  1"}, {"Artist", "Alpha Singer"}});
        appendRow(d, "ARTISTS.DBF", {{"ID", "z0000002"}, {"NR", "  9"}, {"Artist", "Ghost"}});
        appendRow(d, "ARTISTS.DBF", {{"ID", "z0000099"}, {"Artist", "Nobody"}});
    }

    // The rows of `cursor` from its first on, as "Artist|Album|Track|Genre|YR|ID" (trailing blanks off).
    static std::vector<std::string> rowTexts(xbase::Cursor& cursor)
    {
        std::vector<std::string> found;
        for (bool more = cursor.first(); more; more = cursor.next()) {
            std::string row;
            for (const char* field : {"Artist", "Album", "Track", "Genre", "YR", "ID"})
                row += (row.empty() ? "" : "|") + cursor.fieldTrimmed(field);
            found.push_back(row);
        }
        return found;
    }

    TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
};

// Records what a step reports; asks to stop once `cancelAfter` reports came.
class RecordedProgress : public common::Progress {
public:
    explicit RecordedProgress(std::size_t cancelAfter = SIZE_MAX) : cancelAfter_(cancelAfter) {}
    void advance(std::size_t done, std::size_t total) override { reports.emplace_back(done, total); }
    bool cancelRequested() const override { return reports.size() >= cancelAfter_; }

    std::vector<std::pair<std::size_t, std::size_t>> reports;

private:
    std::size_t cancelAfter_;
};

}  // namespace test_support
