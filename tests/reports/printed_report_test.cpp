#include <algorithm>
#include <filesystem>
#include <set>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include "common/ansi_text.h"
#include "reports/print/printed_notes.h"
#include "reports/print/report_document.h"
#include "reports/report_fixture.h"
#include "support/fixture_files.h"

namespace reports_test {
namespace {

using reports::SortOrder;
using reports::print::kPrintingHeight;
using reports::print::PageLayout;
using reports::print::ReportDocument;

// What one page shows: its labels and memo lines, top to bottom.
std::vector<QString> pageTexts(PageLayout& pages, std::size_t index)
{
    std::vector<QString> texts;
    pages.visit(index, [&](const PageLayout::PlacedBand& placed) {
        if (placed.firstLine == 0)
            for (const auto& label : placed.band->texts)
                texts.push_back(label.text);
        for (std::size_t i = placed.firstLine; i < placed.endLine; ++i)
            texts.push_back(placed.band->lines[i]);
    });
    return texts;
}

std::vector<QString> allTexts(PageLayout& pages)
{
    std::vector<QString> texts;
    for (std::size_t page = 0; page < pages.pageCount(); ++page)
        for (QString& text : pageTexts(pages, page))
            texts.push_back(std::move(text));
    return texts;
}

class PrintedReportTest : public ReportFixture {
protected:
    void setNotes(std::string_view id, const std::string& notes)
    {
        xbase::Cursor albums(xbase::Table::open(file("ALBUMS.DBF"), xbase::OpenMode::Shared));
        albums.setOrder("ID");
        ASSERT_TRUE(albums.seek(id));
        albums.edit();
        albums.setMemo("Notes", notes);
        albums.post();
    }
};

TEST(PrintedNotes, TrackDataGoesAndAlbumDataLosesItsEscapedLineBreaks)
{
    EXPECT_EQ(reports::print::printedNotes("Intro\r\nEXTT0=first\r\nEXTD=\\n\\nBorn here\\nthen\\n\r\nEXTTX\r\n"
                                           "EXTD=\\n\r\n  Outro EXTT\r\nEXTD"),
              (std::vector<std::string>{"Intro", "Born here\\nthen", "", "  Outro EXTT", "EXTD"}));
}

TEST_F(PrintedReportTest, PagesNeverSplitABandAndCountEveryAlbumOnce)
{
    std::string longMemo;
    for (int i = 1; i <= 150; ++i)
        longMemo += "memo line " + std::to_string(i) + "\r\n";
    setNotes("z0000003", longMemo);
    setNotes("z0000006", std::string(20, 'w') + " " + std::string(40 * 12, 'x'));
    SelectionSettings settings;
    settings.includeTracks = true;
    settings.order = SortOrder::Artist;
    select(settings);
    const std::size_t albumCount = selection_.albums().count();
    ReportDocument document(selection_, {"ARTIST", "ALBUM", "Notes", "MEDIA", "GENRE"}, dir_.path());
    PageLayout& pages = document.pages();

    std::size_t details = 0;
    std::vector<QString> memo;
    for (std::size_t page = 0; page < pages.pageCount(); ++page) {
        int below = 0;
        pages.visit(page, [&](const PageLayout::PlacedBand& placed) {
            const auto& band = *placed.band;
            const bool whole = placed.firstLine == 0 && placed.endLine == band.lines.size();
            const int height = whole ? band.height
                                     : band.linesTop * 2 + static_cast<int>(placed.endLine - placed.firstLine) *
                                                               reports::print::ReportText().lineSpacing();
            EXPECT_GE(placed.top, below) << "page " << page + 1;
            EXPECT_LE(placed.top + height, kPrintingHeight) << "page " << page + 1;
            below = placed.top + height;
            if (!band.texts.empty() && band.texts.front().text == "Artist:" && placed.firstLine == 0)
                ++details;
            for (std::size_t i = placed.firstLine; i < placed.endLine; ++i)
                if (band.lines[i].startsWith("memo line") || band.lines[i].startsWith("ww") ||
                    band.lines[i].startsWith("xx"))
                    memo.push_back(band.lines[i]);
        });
        const std::vector<QString> texts = pageTexts(pages, page);
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts[1], "Page");
        EXPECT_EQ(texts[2], QString::number(page + 1));
    }
    EXPECT_EQ(details, albumCount);
    const std::vector<QString> last = pageTexts(pages, pages.pageCount() - 1);
    ASSERT_GE(last.size(), 2u);
    EXPECT_EQ(last[last.size() - 2], "Albums printed:");
    EXPECT_EQ(last.back(), QString::number(albumCount));

    // The memo taller than a page goes on over pages, each line once, in
    // order; a line wider than the memo wraps.
    ASSERT_GE(memo.size(), 150u + 3u);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(memo[static_cast<std::size_t>(i)], QString("memo line %1").arg(i + 1));
    const std::vector<QString> wrapped(memo.begin() + 150, memo.end());
    EXPECT_EQ(wrapped.front(), QString(20, 'w'));
    EXPECT_GE(wrapped.size(), 3u);
    QString rejoined;
    for (std::size_t i = 1; i < wrapped.size(); ++i)
        rejoined += wrapped[i];
    EXPECT_EQ(rejoined, QString(40 * 12, 'x'));
}

TEST_F(PrintedReportTest, BlankTitleDropsThePageHeaderWithItsNumbers)
{
    SelectionSettings settings;
    settings.albumsFilter = kFourAlbums;
    settings.title = "   ";
    select(settings);
    ReportDocument document(selection_, {"ALBUM", "ARTIST"}, dir_.path());
    const std::vector<QString> texts = allTexts(document.pages());
    EXPECT_EQ(texts.front(), "Artist:");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Page"), 0);
    int top = -1;
    document.pages().visit(0, [&](const PageLayout::PlacedBand& placed) {
        if (top < 0)
            top = placed.top;
    });
    EXPECT_EQ(top, 0);
}

// Only tracks passing the tracks filter, "*" on those in the playlist; the
// genre and year only when chosen.
TEST_F(PrintedReportTest, AlbumsListOnlyMatchingTracksWithTheirMarks)
{
    {
        xbase::Cursor marks(xbase::Table::open(file("PLAYLIST.DBF"), xbase::OpenMode::Shared));
        marks.append();
        marks.setField("ID", "z0000003");
        marks.setField("NR", "  7");
        marks.post();
    }
    SelectionSettings settings;
    settings.albumsFilter = R"(ID = "z0000002" .OR. ID = "z0000003")";
    settings.tracksFilter = R"("LIGHT" $ UPPER(TRACK))";
    settings.includeTracks = true;
    settings.order = SortOrder::Album;
    select(settings);
    ReportDocument document(selection_, {"ARTIST", "ALBUM", "YR"}, dir_.path());
    const std::vector<QString> texts = allTexts(document.pages());
    const std::vector<QString> expected{
        "My Music Collection", "Page",
        "1",                   "Artist:",
        "Louis Phillips & The Lights", "Album:",
        "Light Sweet Winter",  "2005",
        "  2",                 "Story soul light moon",
        "Artist:",             "Ella Roberts & The Angels",
        "Album:",              "Moon Day",
        "1975",                "  5",
        "Letter mountain light", "*",
        "  7",                 "Green moon summer black light boy",
        "Albums printed:",     "2"};
    EXPECT_EQ(texts, expected);
}

TEST_F(PrintedReportTest, ArtistsReportListsDistinctArtistsInUpperCaseOrderIgnoringTheFilters)
{
    SelectionSettings settings;
    settings.albumsFilter = kFourAlbums;
    settings.order = SortOrder::Album;
    select(settings);
    ReportDocument document(selection_, {"ARTIST"}, dir_.path());
    std::vector<QString> artists;
    PageLayout& pages = document.pages();
    for (std::size_t page = 0; page < pages.pageCount(); ++page) {
        const std::vector<QString> texts = pageTexts(pages, page);
        ASSERT_EQ(texts[1], "Page");
        artists.insert(artists.end(), texts.begin() + 3, texts.end());
    }
    ASSERT_GE(artists.size(), 2u);
    const QString count = artists.back();
    EXPECT_EQ(artists[artists.size() - 2], "Total number of artists:");
    artists.resize(artists.size() - 2);

    std::set<QString> distinct;
    xbase::Cursor table(xbase::Table::open(file("ARTISTS.DBF"), xbase::OpenMode::Shared));
    for (bool more = table.first(); more; more = table.next())
        distinct.insert(common::fromAnsi(table.fieldTrimmed("Artist")));
    EXPECT_EQ(artists.size(), distinct.size());
    EXPECT_EQ(count, QString::number(distinct.size()));
    EXPECT_EQ(std::set<QString>(artists.begin(), artists.end()), distinct);
    EXPECT_GT(artists.size(), 4u);
    EXPECT_TRUE(std::is_sorted(artists.begin(), artists.end(),
                               [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); }));
}

TEST_F(PrintedReportTest, PdfHoldsEveryAlbumInOrderAndACancelLeavesTheOldFile)
{
    SelectionSettings settings;
    settings.albumsFilter = kFourAlbums;
    settings.order = SortOrder::Artist;
    select(settings);
    ReportDocument document(selection_, {"ARTIST", "ALBUM"}, dir_.path());
    const std::string pdf = file("report.pdf");
    CancelAfter never(SIZE_MAX);
    ASSERT_TRUE(document.writePdf(pdf, never));
    const std::string text = test_support::runCapture("pdftotext -enc UTF-8 " + pdf + " -");
    std::size_t at = 0;
    for (const char* album : {"Memory Home Old", "Moon Day", "Light Sweet Winter", "Schön Blues Morning Warm Boy"}) {
        const std::size_t found = text.find(album, at);
        EXPECT_NE(found, std::string::npos) << album << " after " << at << " in:\n" << text;
        at = found == std::string::npos ? at : found;
    }
    EXPECT_TRUE(QRegularExpression(R"(Albums printed:\s+4\b)").match(QString::fromStdString(text)).hasMatch()) << text;

    const std::string before = test_support::readFile(pdf);
    CancelAfter atOnce(0);
    EXPECT_FALSE(document.writePdf(pdf, atOnce));
    EXPECT_EQ(test_support::readFile(pdf), before);
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("report.pdf.")) << entry.path();
}

TEST_F(PrintedReportTest, DrawnPageShowsItsHeader)
{
    SelectionSettings settings;
    settings.albumsFilter = kFourAlbums;
    select(settings);
    ReportDocument document(selection_, {"ARTIST", "ALBUM"}, dir_.path());
    QImage page(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        document.pages().draw(painter, 0);
    }
    // The header's title runs along the top margin (0.5 in of 11 in).
    const auto darkIn = [&](int top, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(darkIn(50, 80), 50);
    EXPECT_EQ(darkIn(0, 45), 0);
}

}  // namespace
}  // namespace reports_test
