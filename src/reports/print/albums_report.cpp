#include "reports/print/albums_report.h"

#include <algorithm>

#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "common/trim_and_case.h"
#include "reports/print/printed_notes.h"
#include "reports/record_selection.h"

namespace reports::print {

namespace {

enum AlbumField { Id, Artist, Album, Genre, Year, Media, Label, Index, Notes };

std::vector<std::string> albumFields(bool notes)
{
    std::vector<std::string> names{"ID", "Artist", "Album", "Genre", "YR", "Media", "Label", "IX"};
    if (notes)
        names.emplace_back("Notes");
    return names;
}

bool chosen(const std::vector<std::string>& fields, std::string_view label)
{
    return std::any_of(fields.begin(), fields.end(),
                       [label](const std::string& field) { return common::equalsNoCase(field, label); });
}

QString shown(std::string_view ansi) { return common::fromAnsi(ansi); }

}  // namespace

AlbumsReportParts AlbumsReportParts::of(const std::vector<std::string>& fields, bool includeTracks)
{
    AlbumsReportParts parts;
    parts.mediaLine = chosen(fields, "LABEL") || chosen(fields, "MEDIA") || chosen(fields, "IX");
    parts.notes = chosen(fields, "Notes");
    parts.genre = chosen(fields, "GENRE");
    parts.year = chosen(fields, "YR");
    parts.tracks = includeTracks;
    return parts;
}

AlbumsReport::AlbumsReport(RecordSelection& selection, const AlbumsReportParts& parts, const std::string& programDir,
                           const ReportText& text)
    : selection_(selection),
      parts_(parts),
      text_(text),
      title_(shown(common::trimmed(selection.settings().title))),
      albumCount_(selection.albums().count()),
      album_(selection.albums(), albumFields(parts.notes)),
      track_(selection.tracks(), {"ID", "NR", "Track"}),
      playlist_(xbase::Table::open(catalogue::filePathNoCase(programDir, catalogue::kPlaylist.fileName),
                                   xbase::OpenMode::Shared))
{
    playlist_.setOrder(catalogue::kPlaylist.tags[0].name);
    if (const std::string& filter = selection.settings().tracksFilter; parts.tracks && !filter.empty())
        tracksFilter_.emplace(xbase::Expression::compileFilter(filter, selection.tracks().table()));
}

void AlbumsReport::bandsOf(std::size_t row, std::vector<ReportBand>& out)
{
    xbase::Cursor& albums = selection_.albums();
    if (!albums.goToRow(static_cast<std::uint32_t>(row)))
        return;
    album_.read();

    ReportBand& detail = out.emplace_back();
    detail.height = mm(18.9);
    detail.texts = {{mm(1.5), mm(9.1), QStringLiteral("Artist:")},
                    {mm(19.7), mm(9.1), shown(album_[Artist])},
                    {mm(1.5), mm(14.4), QStringLiteral("Album:")},
                    {mm(19.7), mm(14.4), shown(album_[Album])}};
    if (parts_.genre)
        detail.texts.push_back({kPrintingWidth, mm(9.1), shown(album_[Genre]), true});
    if (parts_.year)
        detail.texts.push_back({kPrintingWidth, mm(14.4), shown(album_[Year]), true});

    if (parts_.mediaLine) {
        ReportBand& media = out.emplace_back();
        media.height = mm(5.3);
        media.texts = {{mm(6.4), mm(0.8), QStringLiteral("Media:")}, {mm(19.3), mm(0.8), shown(album_[Media])},
                       {mm(33.6), mm(0.8), QStringLiteral("Label:")}, {mm(46.1), mm(0.8), shown(album_[Label])},
                       {mm(167.8), mm(1.5), QStringLiteral("Index:")},
                       {kPrintingWidth, mm(1.5), shown(album_[Index]), true}};
    }

    if (parts_.notes && !album_[Notes].empty()) {
        constexpr int kMemoWidth = mm(187.5);
        ReportBand& memo = out.emplace_back();
        memo.linesX = mm(1.5);
        memo.linesTop = mm(0.8);
        for (const std::string& line : printedNotes(album_[Notes]))
            for (QString& part : text_.wrapped(shown(line), kMemoWidth))
                memo.lines.push_back(std::move(part));
        memo.height = std::max(mm(8.3), memo.linesTop * 2 + static_cast<int>(memo.lines.size()) * text_.lineSpacing());
    }

    if (parts_.tracks)
        addTracks(album_[Id], out);
}

void AlbumsReport::addTracks(std::string_view albumId, std::vector<ReportBand>& out)
{
    const std::string id(albumId);
    xbase::Cursor& tracks = selection_.tracks();
    for (bool more = tracks.seekValues({id}); more; more = tracks.next()) {
        track_.read();
        if (track_[0] != id)
            return;
        if (tracksFilter_ && !tracksFilter_->test(tracks.table().record(tracks.recno())))
            continue;
        ReportBand& band = out.emplace_back();
        band.height = mm(5.3);
        if (playlist_.seekValues({track_[0], track_[1]}))
            band.texts.push_back({0, mm(0.8), QStringLiteral("*")});
        band.texts.push_back({mm(1.5), mm(0.8), shown(track_[1])});
        band.texts.push_back({mm(9.1), mm(0.8), shown(track_[2])});
    }
}

std::optional<ReportBand> AlbumsReport::pageHeader(std::size_t number) const
{
    if (title_.isEmpty())
        return std::nullopt;
    ReportBand header;
    header.height = mm(8.3);
    header.texts = {{mm(7.6), mm(1.5), title_},
                    {mm(171.6), mm(1.9), QStringLiteral("Page")},
                    {kPrintingWidth, mm(1.9), QString::number(number), true}};
    return header;
}

ReportBand AlbumsReport::summary() const
{
    ReportBand band;
    band.height = mm(8.3);
    const BandText label{mm(7.6), mm(3.0), QStringLiteral("Albums printed:")};
    band.texts = {label, {text_.clearOf(label, mm(33.6)), mm(3.0), QString::number(albumCount_)}};
    return band;
}

}  // namespace reports::print
