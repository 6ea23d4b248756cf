#pragma once

#include <string>
#include <vector>

#include "reports/print/band_source.h"
#include "reports/print/report_text.h"

namespace reports::print {

// Every distinct artist of ARTISTS in upper-case order, one a line, with
// their count at the end; the report writer's filters and order play no part.
class ArtistsReport : public BandSource {
public:
    // Reads ARTISTS of `programDir` at once. `title` is Windows-1252.
    // Requires: `text` outlives the report.
    // Throws xbase::XbaseError when the table cannot be read.
    ArtistsReport(const std::string& programDir, const std::string& title, const ReportText& text);

    std::size_t recordCount() override { return artists_.size(); }
    void bandsOf(std::size_t row, std::vector<ReportBand>& out) override;
    std::optional<ReportBand> pageHeader(std::size_t number) const override;
    ReportBand summary() const override;

private:
    const ReportText& text_;
    QString title_;
    std::vector<std::string> artists_;
};

}  // namespace reports::print
