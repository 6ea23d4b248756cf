// File maintenance on copies of the reference catalogue: packed tables,
// indexes built afresh even from damaged ones, the current album kept.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue.h"
#include "catalogue/rollback_journal.h"
#include "maintenance/reindex.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/file_names.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

class Reindex : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.setStatusReport([this](const std::string& t) { texts.push_back(t); });
    }

    void garble(const std::string& file, std::uint64_t offset, std::size_t n)
    {
        std::fstream f(dir.file(file), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(offset));
        for (std::size_t i = 0; i < n; ++i)
            f.put(static_cast<char>(0x5A ^ (i * 7)));
    }

    std::uintmax_t size(const std::string& file) const { return fs::file_size(dir.file(file)); }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    Texts texts;
};

TEST_F(Reindex, PacksAndRebuildsDamagedIndexesKeepingTheCurrentAlbum)
{
    // A tag page no start-up order reads, a tag the catalogue does not
    // have, and later a header so broken the table does not open with it.
    std::uint32_t labelRoot = 0;
    {
        auto albums = xbase::Table::open(dir.file("ALBUMS.DBF"), xbase::OpenMode::Shared);
        labelRoot = albums->index()->tag("Label")->root();
    }
    {
        auto tracks = xbase::Table::open(dir.file("TRACKS.DBF"), xbase::OpenMode::Exclusive);
        tracks->index()->createTag("Stale", "Secs");
    }
    catalogue.createMissingFilesAndOpenViews();
    garble("ALBUMS.CDX", labelRoot, 512);
    catalogue.artists().close();
    garble("ARTISTS.CDX", 0, 24);

    ASSERT_TRUE(catalogue.albumLookup()->goToRecord(3));
    catalogue.albumLookup()->deleteRow();
    catalogue.allTracks()->first();
    for (int i = 0; i < 5; ++i)
        catalogue.allTracks()->deleteRow();
    catalogue.albums().setOrder("Album");
    ASSERT_TRUE(catalogue.albums()->goToRow(6));
    const std::string current = catalogue.albums()->field("ID");
    const auto albumsSize = size("ALBUMS.DBF");
    const auto tracksSize = size("TRACKS.DBF");
    texts.clear();

    maintenance::reindexCatalogue(catalogue);

    EXPECT_EQ(texts, (Texts{"Performing file maintenance, please wait ...", "Creating Index File for: ALBUMS",
                            "Creating Index File for: TRACKS", "Creating Index File for: PLAYLIST",
                            "Creating Index File for: ARTISTS", ""}));
    for (const auto* def : catalogue::kCatalogueTables) {
        auto table = xbase::Table::open(dir.file(std::string(def->fileName)), xbase::OpenMode::Shared);
        ASSERT_NE(table->index(), nullptr) << def->fileName;
        EXPECT_EQ(xbase::CdxChecker::check(*table->index()), Texts{}) << def->fileName;
        Texts tags;
        for (std::size_t i = 0; i < table->index()->tagCount(); ++i)
            tags.push_back(table->index()->tagAt(i).name());
        Texts expected;
        for (const auto& tag : def->tags)
            if (!tag.name.empty())
                expected.push_back(upper(tag.name));
        EXPECT_EQ(tags, expected) << def->fileName;
    }
    EXPECT_LT(size("ALBUMS.DBF"), albumsSize);
    EXPECT_LT(size("TRACKS.DBF"), tracksSize);
    EXPECT_TRUE(xbase::equalsNoCase(catalogue.albums().order(), "Album"));
    EXPECT_EQ(catalogue.albums()->field("ID"), current);
    EXPECT_EQ(catalogue.albums()->count(), 13u);
    EXPECT_EQ(catalogue.artists()->count(), 19u);
    EXPECT_FALSE(catalogue.artists()->fieldTrimmed("Album").empty()) << "lookups read albumLookup again";
    EXPECT_TRUE(catalogue.allTracks().isOpen());
}

TEST_F(Reindex, RollsBackAnUnfinishedChangeBeforeThePackRenumbersItsRows)
{
    catalogue.createMissingFilesAndOpenViews();
    xbase::Cursor& albums = catalogue.albumLookup().cursor();
    ASSERT_TRUE(albums.goToRecord(1));
    const std::string title = albums.field("Album");
    {
        catalogue::RollbackJournal journal(dir.path(), catalogue.fileSystem());
        journal.keepTable(albums.table());
        journal.keepRecord(albums.table(), 1);
        journal.keepRecord(albums.table(), 2);
        journal.write();
        albums.edit();
        albums.setField("Album", "half-saved");
        albums.post();
        ASSERT_TRUE(albums.goToRecord(2));
        albums.deleteRow();
    }  // never committed

    maintenance::reindexCatalogue(catalogue);

    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir.path(), catalogue.fileSystem()));
    EXPECT_EQ(catalogue.albums()->count(), 14u);
    ASSERT_TRUE(catalogue.albumLookup()->goToRecord(1));
    EXPECT_EQ(catalogue.albumLookup()->field("Album"), title);
}

TEST_F(Reindex, ACutMemoFileCostsOnlyTheNotesPastItsEndAndTheUserIsTold)
{
    catalogue.createMissingFilesAndOpenViews();
    const std::uint32_t albums = catalogue.albums()->count();
    fs::resize_file(dir.file("ALBUMS.FPT"), 1000);
    Texts notices;
    EXPECT_TRUE(maintenance::reindexCatalogue(catalogue, nullptr, &notices));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(dir.file("ALBUMS.FPT.damaged")), std::string::npos) << notices[0];
    EXPECT_EQ(catalogue.albums()->count(), albums);
}

}  // namespace

namespace {

// The bar of a reindex: one total for the whole run, never going back, full
// at the end; a cancel before the first table leaves every file alone.
class WatchedProgress : public common::Progress {
public:
    void advance(std::size_t done, std::size_t total) override { reports.push_back({done, total}); }
    bool cancelRequested() const override { return cancel; }

    std::vector<std::pair<std::size_t, std::size_t>> reports;
    bool cancel = false;
};

TEST_F(Reindex, ReportsOneRisingCountOverAllFourTablesAndStopsBetweenThem)
{
    catalogue.createMissingFilesAndOpenViews();
    WatchedProgress progress;
    EXPECT_TRUE(maintenance::reindexCatalogue(catalogue, &progress));
    ASSERT_GT(progress.reports.size(), 8u);
    const std::size_t total = progress.reports.front().second;
    EXPECT_GT(total, 0u);
    for (std::size_t i = 0; i < progress.reports.size(); ++i) {
        EXPECT_EQ(progress.reports[i].second, total);
        if (i > 0) {
            EXPECT_GE(progress.reports[i].first, progress.reports[i - 1].first) << "report " << i;
        }
    }
    EXPECT_EQ(progress.reports.back().first, total);

    const std::uintmax_t albumsSize = size("ALBUMS.DBF");
    catalogue.albumLookup()->first();
    catalogue.albumLookup()->deleteRow();
    progress.cancel = true;
    EXPECT_FALSE(maintenance::reindexCatalogue(catalogue, &progress));
    EXPECT_EQ(size("ALBUMS.DBF"), albumsSize) << "not packed";
    EXPECT_TRUE(catalogue.albums().isOpen() && catalogue.artists().isOpen() && catalogue.allTracks().isOpen());
}

}  // namespace
