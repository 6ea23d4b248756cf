#include "reports/data_export.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "reports/csv_format.h"
#include "reports/report_fixture.h"
#include "reports/xml_format.h"
#include "support/fixture_files.h"
#include "xbase/xbase_error.h"

namespace reports_test {
namespace {

using reports::OutputKind;
using test_support::readFile;

class DataExportTest : public ReportFixture {
protected:
    void selectFourAlbums()
    {
        dropFourthAlbumsTracks();
        SelectionSettings settings;
        settings.albumsFilter = kFourAlbums;
        settings.includeTracks = settings.includePlaylists = true;
        settings.order = reports::SortOrder::Album;
        select(settings);
    }
    std::vector<std::string> filesIn() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(DataExportTest, FourAlbumsWithTracksAndMarksAreWrittenByteForByte)
{
    const struct {
        OutputKind kind;
        std::vector<std::string> labels;
    } cases[] = {{OutputKind::Csv, {"ARTIST", "ALBUM", "YR", "ID"}},
                 {OutputKind::Xml, {"ARTIST", "ID", "LABEL", "Notes"}}};
    for (const auto& c : cases) {
        CancelAfter never(SIZE_MAX);
        const std::string ext(reports::extensionOf(c.kind));
        selectFourAlbums();
        ASSERT_EQ(reports::writeDataFiles(selection_, c.kind, c.labels, dir_.path(), never),
                  (std::vector<std::string>{"albums" + ext, "tracks" + ext, "playlist" + ext}));
        EXPECT_EQ(never.lastDone, 4u);
        for (const std::string name : {"albums", "tracks", "playlist"})
            EXPECT_EQ(readFile(file(name + ext)), readFile(test_support::fixturePath("reports/" + name + ext)))
                << name + ext;
    }
}

TEST_F(DataExportTest, CancelledOrFailedExportLeavesEarlierFilesAsTheyWere)
{
    selectFourAlbums();
    {
        std::ofstream(file("albums.csv")) << "earlier";
    }
    const std::vector<std::string> before = filesIn();
    CancelAfter afterTwoAlbums(2);
    EXPECT_TRUE(reports::writeDataFiles(selection_, OutputKind::Csv, {"ALBUM"}, dir_.path(), afterTwoAlbums).empty());
    EXPECT_EQ(readFile(file("albums.csv")), "earlier");
    EXPECT_EQ(filesIn(), before);

    CancelAfter never(SIZE_MAX);
    EXPECT_THROW(reports::writeDataFiles(selection_, OutputKind::Xml, {"ALBUM"}, file("missing"), never),
                 xbase::XbaseError);
    EXPECT_EQ(filesIn(), before);
}

// What the collection holds the CSV reader must read back, value for value.
TEST_F(DataExportTest, RealReadersReadTheWholeCollection)
{
    SelectionSettings settings;
    settings.includeTracks = settings.includePlaylists = true;
    select(settings);
    CancelAfter never(SIZE_MAX);
    for (OutputKind kind : {OutputKind::Csv, OutputKind::Xml})
        reports::writeDataFiles(selection_, kind, {"ALBUM", "ARTIST", "IX", "GENRE", "YR", "ID", "LABEL", "MEDIA"},
                                dir_.path(), never);
    int status = -1;
    const std::string checker = std::string(VINORA_FIXTURES_DIR) + "/../reports/read_back.py";
    EXPECT_EQ(test_support::runCapture("/usr/bin/python3 " + checker + " " + dir_.path() + " 2>&1", &status), "ok\n");
    EXPECT_EQ(status, 0);
    for (const char* name : {"albums.xml", "tracks.xml", "playlist.xml"}) {
        EXPECT_EQ(test_support::runCapture("xmllint --noout " + file(name) + " 2>&1", &status), "") << name;
        EXPECT_EQ(status, 0) << name;
    }
}

TEST(DataFormatEdges, QuotesAndEscapes)
{
    test_support::TempDir dir;
    const struct {
        std::string_view value;
        std::string csv, xml, xmlWithAnd;
    } cases[] = {
        {"plain", R"("plain")", "plain", "plain"},
        {"a,b", R"("a,b")", "a,b", "a,b"},
        {R"(say "hi")", R"("say ""hi""")", "say &quot;hi&quot;", "say &quot;hi&quot;"},
        {"one\r\ntwo", "\"one\r\ntwo\"", "one&#13;&#10;two", "one&#13;&#10;two"},
        {"R&B <live>", R"("R&B <live>")", "R&amp;B &lt;live&gt;", "RandB &lt;live&gt;"},
        {"tab\there\x01", "\"tab\there\x01\"", "tab&#9;here", "tab&#9;here"},
    };
    for (const auto& c : cases) {
        {
            reports::OutputFile out(dir.file("edge"));
            reports::CsvFormat::quoted(out, c.value);
            out.write('|');
            reports::XmlFormat::attribute(out, c.value, false);
            out.write('|');
            reports::XmlFormat::attribute(out, c.value, true);
            out.commit();
        }
        EXPECT_EQ(readFile(dir.file("edge")), c.csv + "|" + c.xml + "|" + c.xmlWithAnd) << c.value;
    }
}

}  // namespace
}  // namespace reports_test
