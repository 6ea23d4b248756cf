// File maintenance on copies of the reference catalogue: packed tables,
// indexes built afresh even from damaged ones, the current album kept.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "catalogue/catalogue_schema.h"
#include "catalogue/data_module.h"
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
        dm.setStatusReport([this](const std::string& t) { texts.push_back(t); });
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
    catalogue::TDM dm{dir.path()};
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
    dm.createMissingFilesAndOpenViews();
    garble("ALBUMS.CDX", labelRoot, 512);
    dm.tblArtists().close();
    garble("ARTISTS.CDX", 0, 24);

    ASSERT_TRUE(dm.tblFilter()->goToRecord(3));
    dm.tblFilter()->deleteRow();
    dm.tblCD()->first();
    for (int i = 0; i < 5; ++i)
        dm.tblCD()->deleteRow();
    dm.tblAlbums().setOrder("Album");
    ASSERT_TRUE(dm.tblAlbums()->goToRow(6));
    const std::string current = dm.tblAlbums()->field("ID");
    const auto albumsSize = size("ALBUMS.DBF");
    const auto tracksSize = size("TRACKS.DBF");
    texts.clear();

    maintenance::reindexCatalogue(dm);

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
    EXPECT_TRUE(xbase::equalsNoCase(dm.tblAlbums().order(), "Album"));
    EXPECT_EQ(dm.tblAlbums()->field("ID"), current);
    EXPECT_EQ(dm.tblAlbums()->count(), 13u);
    EXPECT_EQ(dm.tblArtists()->count(), 19u);
    EXPECT_FALSE(dm.tblArtists()->fieldTrimmed("Album").empty()) << "lookups read tblFilter again";
    EXPECT_TRUE(dm.tblCD().isOpen());
}

TEST_F(Reindex, RollsBackAnUnfinishedChangeBeforeThePackRenumbersItsRows)
{
    dm.createMissingFilesAndOpenViews();
    xbase::Cursor& albums = dm.tblFilter().cursor();
    ASSERT_TRUE(albums.goToRecord(1));
    const std::string title = albums.field("Album");
    {
        catalogue::RollbackJournal journal(dir.path(), dm.fileSystem());
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

    maintenance::reindexCatalogue(dm);

    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir.path(), dm.fileSystem()));
    EXPECT_EQ(dm.tblAlbums()->count(), 14u);
    ASSERT_TRUE(dm.tblFilter()->goToRecord(1));
    EXPECT_EQ(dm.tblFilter()->field("Album"), title);
}

}  // namespace
