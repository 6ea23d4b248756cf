#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "reports/print/band_source.h"
#include "reports/print/report_text.h"

class QPainter;

namespace reports::print {

// Splits a report into pages as far as it is asked to, never a band across
// two pages; only a memo taller than a whole page goes on, line by line,
// on the next. Each page's start is kept, so page k is drawn from its own
// records alone. Not thread-safe; the source's tables are read on demand.
class PageLayout {
public:
    // A band as placed on a page: its lines [firstLine, endLine), and its
    // labels only with its first line.
    struct PlacedBand {
        const ReportBand* band;
        int top;  // from the top margin
        std::size_t firstLine;
        std::size_t endLine;
    };
    using Visit = std::function<void(const PlacedBand&)>;

    // Requires: `source` and `text` outlive the layout.
    PageLayout(BandSource& source, const ReportText& text);

    // Lays out pages until page `index` (0-based) exists or the report ends;
    // whether it exists. Throws xbase::XbaseError when a table fails.
    bool hasPage(std::size_t index);
    bool complete() const { return complete_; }
    std::size_t pagesLaidOut() const { return starts_.size(); }
    // Lays out every page; an empty report has none.
    std::size_t pageCount();

    // Draws page `index`, laid out first when needed, onto a painter whose
    // device is a whole sheet of paper (no printer margins of its own),
    // scaled to its width; nothing past the last page.
    void draw(QPainter& painter, std::size_t index);
    // The bands of page `index` in printing order; none past the last page.
    void visit(std::size_t index, const Visit& visit);

private:
    // Where a page begins: a record (recordCount() for the summary), a band
    // of it, and the first of that band's lines not printed yet.
    struct Position {
        std::size_t record = 0;
        std::size_t band = 0;
        std::size_t line = 0;
    };
    // Places the bands of page `number` (from 1) from `start`; returns where
    // the next page begins, `end` when the report is done.
    Position walkPage(Position start, std::size_t number, const Visit& visit);
    // The bands of `record`, read again only for another record.
    const std::vector<ReportBand>& bandsOf(std::size_t record);
    bool atEnd(const Position& at) const { return at.record > records_; }
    void drawBand(QPainter& painter, const PlacedBand& placed) const;

    BandSource& source_;
    const ReportText& text_;
    std::size_t records_;
    std::vector<Position> starts_;  // of each page laid out
    Position next_;                 // where the page after them begins
    bool complete_;
    std::vector<ReportBand> bands_;
    std::size_t bandsRecord_ = static_cast<std::size_t>(-1);
    ReportBand summary_;
    std::optional<ReportBand> header_;
};

}  // namespace reports::print
