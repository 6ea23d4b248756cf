#include "reports/print/artists_report.h"

#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "common/trim_and_case.h"
#include "reports/row_values.h"
#include "xbase/distinct_query.h"

namespace reports::print {

ArtistsReport::ArtistsReport(const std::string& programDir, const std::string& title, const ReportText& text)
    : text_(text), title_(common::fromAnsi(common::trimmed(title)))
{
    const auto table = xbase::Table::open(catalogue::filePathNoCase(programDir, catalogue::kArtists.fileName),
                                          xbase::OpenMode::Shared);
    artists_ = xbase::distinctValues(*table, "Artist", "upper(Artist)");
    for (std::string& artist : artists_)
        artist.resize(trimmedRight(artist).size());
}

void ArtistsReport::bandsOf(std::size_t row, std::vector<ReportBand>& out)
{
    ReportBand& band = out.emplace_back();
    band.height = mm(5.5);
    band.texts = {{mm(1.7), mm(0.8), common::fromAnsi(artists_[row])}};
}

std::optional<ReportBand> ArtistsReport::pageHeader(std::size_t number) const
{
    if (title_.isEmpty())
        return std::nullopt;
    ReportBand header;
    header.height = mm(8.5);
    header.texts = {{mm(1.7), mm(1.9), title_},
                    {mm(171.7), mm(1.9), QStringLiteral("Page")},
                    {kPrintingWidth, mm(1.9), QString::number(number), true}};
    return header;
}

ReportBand ArtistsReport::summary() const
{
    ReportBand band;
    band.height = mm(8.5);
    const BandText label{mm(1.7), mm(3.8), QStringLiteral("Total number of artists:")};
    band.texts = {label, {text_.clearOf(label, mm(42.3)), mm(3.8), QString::number(artists_.size())}};
    return band;
}

}  // namespace reports::print
