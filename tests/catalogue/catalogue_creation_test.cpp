// Start-up creation of the catalogue files and indexes, on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace {

namespace fs = std::filesystem;
using catalogue::Catalogue;
using Texts = std::vector<std::string>;

const std::string kDataFiles = "Creating data files ...";
const std::string kIndexFor = "Creating Index File for: ";
const std::string kDamaged = "Index file damaged, rebuilding: ";
const std::string kChecking = "Vinora did not close properly last time; checking the index of ";

class CatalogueCreation : public testing::Test {
protected:
    // One start-up in `dir`; returns its status texts.
    Texts startUp()
    {
        Texts texts;
        Catalogue catalogue(dir.path());
        catalogue.setStatusReport([&](const std::string& t) { texts.push_back(t); });
        catalogue.createMissingFilesAndOpenViews();
        catalogue.closeCleanly();
        return texts;
    }

    // Every problem the full index check finds in the table's index.
    std::vector<std::string> indexProblems(const std::string& file)
    {
        auto table = xbase::Table::open(dir.file(file), xbase::OpenMode::Shared);
        if (!table->index())
            return {file + " has no index"};
        return xbase::CdxChecker::check(*table->index());
    }

    void overwrite(const std::string& file, std::uint64_t offset, std::size_t n)
    {
        std::fstream f(dir.file(file), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(offset));
        for (std::size_t i = 0; i < n; ++i)
            f.put(static_cast<char>(0xA5 ^ i));
    }

    test_support::TempDir dir;
};

TEST_F(CatalogueCreation, FirstRunMakesFourTablesWithSoundIndexesInOrder)
{
    EXPECT_EQ(startUp(), (Texts{kDataFiles, kIndexFor + "ALBUMS", kIndexFor + "TRACKS", kIndexFor + "ARTISTS",
                                kIndexFor + "PLAYLIST"}));
    for (const char* f : {"ALBUMS.DBF", "ALBUMS.FPT", "ALBUMS.CDX", "TRACKS.DBF", "TRACKS.CDX", "PLAYLIST.DBF",
                          "PLAYLIST.CDX", "ARTISTS.DBF", "ARTISTS.CDX"})
        EXPECT_TRUE(fs::exists(dir.file(f))) << f;
    for (const auto* def : catalogue::kCatalogueTables) {
        const std::string file(def->fileName);
        EXPECT_EQ(indexProblems(file), std::vector<std::string>{}) << file;
        auto table = xbase::Table::open(dir.file(file), xbase::OpenMode::Shared);
        for (const auto& tag : def->tags) {
            if (!tag.name.empty()) {
                EXPECT_NE(table->index()->tag(tag.name), nullptr) << file << " " << tag.name;
            }
        }
    }
    // A second start finds everything in place and says nothing.
    EXPECT_EQ(startUp(), Texts{});
}

TEST_F(CatalogueCreation, CreatedFilesReadBackInAnIndependentReader)
{
    {
        Catalogue catalogue(dir.path());
        catalogue.createMissingFilesAndOpenViews();
        EXPECT_EQ(catalogue.albums()->count(), 0u);
        auto& albums = catalogue.albums().cursor();
        albums.append();
        albums.setField("Album", "Homogenic");
        albums.setField("Artist", "Bj\xf6rk");
        albums.setField("ID", "00a1b2c3");
        albums.setMemo("Notes", "two\r\nlines");
        albums.post();
        // The detail takes the master's ID by itself.
        auto& tracks = catalogue.currentAlbumTracks().cursor();
        tracks.append();
        tracks.setField("NR", "  1");
        tracks.setField("Track", "Hunter");
        tracks.setField("Secs", "255");
        tracks.post();
    }
    const std::string script =
        "import dbf,sys\n"
        "for name in sys.argv[1:]:\n"
        "  t=dbf.Table(name, codepage='cp1252')\n"
        "  t.open(dbf.READ_ONLY)\n"
        "  print(';'.join(t.structure()))\n"
        "  for r in t:\n"
        "    print('|'.join(str(x).rstrip() for x in r))\n"
        "  t.close()\n";
    std::ofstream(dir.file("read.py")) << script;
    int status = 0;
    std::string out = test_support::runCapture("/usr/bin/python3 " + dir.file("read.py") + " " + dir.file("ALBUMS.DBF") +
                                                   " " + dir.file("TRACKS.DBF") + " " + dir.file("PLAYLIST.DBF") + " " +
                                                   dir.file("ARTISTS.DBF") + " 2>&1",
                                               &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out,
              "album C(50);artist C(50);ix C(6);genre C(10);yr C(4);id C(8);label C(55);media C(2);rev C(1);"
              "sys C(1);notes M\n"
              "Homogenic|Bj\xc3\xb6rk||||00a1b2c3|||||two\r\nlines\n"
              "id C(8);nr C(3);track C(73);secs C(4)\n"
              "00a1b2c3|  1|Hunter|255\n"
              "id C(8);nr C(3)\n"
              "id C(8);nr C(3);artist C(50)\n");
}

TEST_F(CatalogueCreation, LostAlbumsIndexRebuildsTracksAndPlaylistButNotArtists)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::remove(dir.file("ALBUMS.CDX"));
    EXPECT_EQ(startUp(), (Texts{kIndexFor + "ALBUMS", kIndexFor + "TRACKS", kIndexFor + "PLAYLIST"}));
    for (const char* f : {"ALBUMS.DBF", "TRACKS.DBF", "PLAYLIST.DBF", "ARTISTS.DBF"})
        EXPECT_EQ(indexProblems(f), std::vector<std::string>{}) << f;
}

TEST_F(CatalogueCreation, LostTableGetsAFreshIndexNotItsStaleOne)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::remove(dir.file("ALBUMS.DBF"));
    EXPECT_EQ(startUp(), (Texts{kDataFiles, kIndexFor + "ALBUMS", kIndexFor + "TRACKS", kIndexFor + "PLAYLIST"}));
    Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    EXPECT_EQ(catalogue.albums()->count(), 0u);
    EXPECT_FALSE(catalogue.albums()->seek("7a0b3c0d"));
    EXPECT_EQ(catalogue.allTracks()->count(), 41u) << "the tracks stay";
    EXPECT_EQ(indexProblems("ALBUMS.DBF"), std::vector<std::string>{});
}

struct Damage {
    const char* name;
    std::uint64_t offset;  // where garbage goes in ARTISTS.CDX
};

class DamagedIndex : public CatalogueCreation, public testing::WithParamInterface<Damage> {};

TEST_P(DamagedIndex, IsRebuiltWithANotice)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    overwrite("ARTISTS.CDX", GetParam().offset, 512);
    EXPECT_EQ(startUp(), (Texts{kDamaged + "ARTISTS", kIndexFor + "ARTISTS"}));
    EXPECT_EQ(indexProblems("ARTISTS.DBF"), std::vector<std::string>{});
    Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    EXPECT_EQ(catalogue.artists()->count(), 19u);
}

INSTANTIATE_TEST_SUITE_P(Places, DamagedIndex,
                         testing::Values(Damage{"CompoundHeader", 0}, Damage{"TagDirectory", 0x400},
                                         Damage{"TagHeader", 0x600}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CatalogueCreation, DamagedAlbumsIndexTakesTracksAndPlaylistAlong)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    overwrite("ALBUMS.CDX", 0, 24);
    EXPECT_EQ(startUp(),
              (Texts{kDamaged + "ALBUMS", kIndexFor + "ALBUMS", kIndexFor + "TRACKS", kIndexFor + "PLAYLIST"}));
}

TEST_F(CatalogueCreation, IndexLackingACatalogueTagIsRebuilt)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    {
        auto table = xbase::Table::open(dir.file("ARTISTS.DBF"), xbase::OpenMode::Exclusive);
        table->createIndex().createTag("ID", "ID+NR");
    }
    EXPECT_EQ(startUp(), (Texts{kDamaged + "ARTISTS", kIndexFor + "ARTISTS"}));
}

TEST_F(CatalogueCreation, DamagedTableIsReportedAndItsIndexKept)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::resize_file(dir.file("ARTISTS.DBF"), 20);
    EXPECT_THROW(startUp(), xbase::XbaseError);
    EXPECT_TRUE(fs::exists(dir.file("ARTISTS.CDX")));
    // A start cut short may have left its checks half done: closing after
    // it is no clean end.
    Catalogue catalogue(dir.path());
    EXPECT_THROW(catalogue.createMissingFilesAndOpenViews(), xbase::XbaseError);
    catalogue.closeCleanly();
    EXPECT_TRUE(fs::exists(dir.file("Vinora.running")));
}

// A row rewritten on disk behind its index's back, as when a run ends
// between the table's write and the index's.
class EndOfLastRun : public CatalogueCreation, public testing::WithParamInterface<bool> {};

TEST_P(EndOfLastRun, DecidesWhetherEveryIndexIsCheckedInFull)
{
    const bool clean = GetParam();
    test_support::copyFixtureSet("xbase/small", dir.path());
    std::uint64_t albumField = 0;
    {
        Catalogue catalogue(dir.path());
        catalogue.createMissingFilesAndOpenViews();
        const xbase::Table& albums = catalogue.albums()->table();
        albumField = albums.headerLength() + albums.fields()[albums.fieldIndex("Album")].offset;
        if (clean)
            catalogue.closeCleanly();
    }
    overwrite("ALBUMS.DBF", albumField, 8);
    const Texts texts = startUp();
    if (clean) {
        EXPECT_EQ(texts, Texts{});
        return;
    }
    for (const char* table : {"ALBUMS", "PLAYLIST", "TRACKS", "ARTISTS"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), kChecking + table + " ..."), texts.end()) << table;
    EXPECT_NE(std::find(texts.begin(), texts.end(), kDamaged + "ALBUMS"), texts.end());
    EXPECT_EQ(indexProblems("ALBUMS.DBF"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(CleanOrNot, EndOfLastRun, testing::Bool(),
                         [](const auto& info) { return info.param ? "Clean" : "Unclean"; });

TEST_F(CatalogueCreation, FilesInAnyLetterCaseAreFound)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        std::string name = entry.path().filename().string();
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        fs::rename(entry.path(), dir.file(name));
    }
    EXPECT_EQ(startUp(), Texts{});
    Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    EXPECT_EQ(catalogue.albums()->count(), 14u);
    EXPECT_FALSE(fs::exists(dir.file("ALBUMS.DBF")));
}

}  // namespace
