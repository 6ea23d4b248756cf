#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reports/print/band_source.h"
#include "reports/print/report_text.h"
#include "reports/row_values.h"
#include "xbase/cursor.h"
#include "xbase/expression.h"

namespace reports {
class RecordSelection;
}

namespace reports::print {

// Which parts of the albums report print, by the fields chosen (their order
// does not matter). Artist and album always print, the ID never.
struct AlbumsReportParts {
    bool mediaLine = false;  // media, label and index, when any of the three is chosen
    bool notes = false;
    bool genre = false;
    bool year = false;
    bool tracks = false;  // "include Tracks table"

    static AlbumsReportParts of(const std::vector<std::string>& fields, bool includeTracks);
};

// One block per selected album: artist and album with genre and year, the
// media line, the notes, and the album's tracks (those passing the tracks
// filter, marked "*" when in the playlist); a count of albums at the end.
class AlbumsReport : public BandSource {
public:
    // Requires: `selection` prepared and outliving the report; PLAYLIST in
    // `programDir`. Throws xbase::XbaseError when a table cannot be opened.
    AlbumsReport(RecordSelection& selection, const AlbumsReportParts& parts, const std::string& programDir,
                 const ReportText& text);

    std::size_t recordCount() override { return albumCount_; }
    void bandsOf(std::size_t row, std::vector<ReportBand>& out) override;
    std::optional<ReportBand> pageHeader(std::size_t number) const override;
    ReportBand summary() const override;

private:
    void addTracks(std::string_view albumId, std::vector<ReportBand>& out);

    RecordSelection& selection_;
    AlbumsReportParts parts_;
    const ReportText& text_;
    QString title_;
    std::size_t albumCount_;
    RowValues album_;
    RowValues track_;
    std::optional<xbase::Expression> tracksFilter_;
    xbase::Cursor playlist_;
};

}  // namespace reports::print
