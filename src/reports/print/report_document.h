#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/progress.h"
#include "reports/print/band_source.h"
#include "reports/print/page_layout.h"
#include "reports/print/report_text.h"

class QPagedPaintDevice;
class QPainter;

namespace reports {
class RecordSelection;
}

namespace reports::print {

// The printed report of a prepared selection, paged lazily: the artists
// list when the fields are exactly ARTIST, else the albums report.
class ReportDocument {
public:
    // Requires: `selection` prepared and outliving the document.
    // Throws xbase::XbaseError when a table cannot be read.
    ReportDocument(RecordSelection& selection, const std::vector<std::string>& fields, const std::string& programDir);
    ~ReportDocument();

    PageLayout& pages() { return *layout_; }

    // Draws pages `first` to `last` (0-based, past the end ignored) with
    // `painter`, which is active on `device`, a new sheet before each but the
    // first. False when the user cancelled (asked before each page).
    bool drawPages(QPainter& painter, QPagedPaintDevice& device, std::size_t first, std::size_t last,
                   common::Progress& progress);
    // Writes every page to a PDF at `path`. False when the user cancelled;
    // then, as after a failure, a file at `path` stays as it was.
    // Throws xbase::XbaseError naming the file when it cannot be written.
    bool writePdf(const std::string& path, common::Progress& progress);

private:
    ReportText text_;
    std::unique_ptr<BandSource> source_;
    std::unique_ptr<PageLayout> layout_;
    std::string title_;
};

}  // namespace reports::print
