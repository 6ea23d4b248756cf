#include "reports/print/report_document.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "common/ansi_text.h"
#include "reports/print/albums_report.h"
#include "reports/print/artists_report.h"
#include "reports/record_selection.h"
#include "xbase/xbase_error.h"

namespace reports::print {

ReportDocument::ReportDocument(RecordSelection& selection, const std::vector<std::string>& fields,
                               const std::string& programDir)
    : title_(selection.settings().title)
{
    if (fields.size() == 1 && fields.front() == "ARTIST")
        source_ = std::make_unique<ArtistsReport>(programDir, title_, text_);
    else
        source_ = std::make_unique<AlbumsReport>(
            selection, AlbumsReportParts::of(fields, selection.settings().includeTracks), programDir, text_);
    layout_ = std::make_unique<PageLayout>(*source_, text_);
}

ReportDocument::~ReportDocument() = default;

bool ReportDocument::drawPages(QPainter& painter, QPagedPaintDevice& device, std::size_t first, std::size_t last,
                               common::Progress& progress)
{
    const std::size_t total = last - first + 1;
    for (std::size_t page = first; page <= last && layout_->hasPage(page); ++page) {
        if (progress.cancelRequested())
            return false;
        if (page > first)
            device.newPage();
        layout_->draw(painter, page);
        progress.advance(page - first + 1, total);
    }
    return true;
}

bool ReportDocument::writePdf(const std::string& path, common::Progress& progress)
{
    QSaveFile file(QString::fromStdString(path));
    const auto fail = [&](std::string_view what) {
        throw xbase::XbaseError("Cannot " + std::string(what) + " file " + path + ": " +
                                file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        fail("create");
    const std::size_t pageCount = layout_->pageCount();
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(common::fromAnsi(title_));
        writer.setCreator(QStringLiteral("Vinora"));
        QPainter painter;
        if (!painter.begin(&writer))
            fail("write");
        if (pageCount > 0 && !drawPages(painter, writer, 0, pageCount - 1, progress))
            return false;
    }
    if (!file.commit())
        fail("write");
    return true;
}

}  // namespace reports::print
