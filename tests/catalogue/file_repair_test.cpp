// Start-up over what a cut-short first start, a full disk or a lost file
// leaves: empty files and orphaned memo files, on copies of the reference
// catalogue.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

struct Start {
    Texts notices;
    std::uint32_t albums = 0;
    std::uint32_t tracks = 0;
    std::string notes;  // of the album first in ID order
};

class FileRepair : public testing::Test {
protected:
    Start startUp()
    {
        Start start;
        catalogue::Catalogue catalogue(dir.path());
        catalogue.setNoticeReport([&](const std::string& t) { start.notices.push_back(t); });
        catalogue.createMissingFilesAndOpenViews();
        start.albums = catalogue.albums()->count();
        start.tracks = catalogue.allTracks()->count();
        if (catalogue.albumLookup()->first())
            start.notes = catalogue.albumLookup()->memo("Notes");
        catalogue.closeCleanly();
        return start;
    }

    void expectSoundIndexes()
    {
        for (const auto* def : catalogue::kCatalogueTables) {
            auto table = xbase::Table::open(dir.file(std::string(def->fileName)), xbase::OpenMode::Shared);
            ASSERT_NE(table->index(), nullptr) << def->fileName;
            EXPECT_EQ(xbase::CdxChecker::check(*table->index()), Texts{}) << def->fileName;
        }
    }

    test_support::TempDir dir;
};

struct EmptyFile {
    const char* name;
    std::uint32_t albums;  // after the start
    std::uint32_t tracks;
    const char* notice;  // part of the one notice, or "" for none
};

class EmptyFileAtStart : public FileRepair, public testing::WithParamInterface<EmptyFile> {};

TEST_P(EmptyFileAtStart, HoldsNoDataAndIsMadeAnew)
{
    const EmptyFile& c = GetParam();
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::resize_file(dir.file(c.name), 0);
    const Start first = startUp();
    EXPECT_EQ(first.albums, c.albums);
    EXPECT_EQ(first.tracks, c.tracks);
    if (*c.notice) {
        ASSERT_EQ(first.notices.size(), 1u);
        EXPECT_NE(first.notices[0].find(c.notice), std::string::npos) << first.notices[0];
    } else {
        EXPECT_EQ(first.notices, Texts{});
    }
    expectSoundIndexes();
    EXPECT_EQ(startUp().notices, Texts{}) << "repaired once";
}

INSTANTIATE_TEST_SUITE_P(
    Files, EmptyFileAtStart,
    testing::Values(EmptyFile{"ALBUMS.DBF", 0, 41, "is kept as"}, EmptyFile{"ALBUMS.FPT", 14, 41, "The notes of"},
                    EmptyFile{"ALBUMS.CDX", 14, 41, ""}, EmptyFile{"TRACKS.DBF", 14, 0, ""},
                    EmptyFile{"TRACKS.CDX", 14, 41, ""}, EmptyFile{"ARTISTS.CDX", 14, 41, ""}),
    [](const auto& info) {
        std::string name = info.param.name;
        name[name.find('.')] = '_';
        return name;
    });

TEST_F(FileRepair, LostNotesNeverShowUnderAnotherAlbum)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::resize_file(dir.file("ALBUMS.FPT"), 0);
    startUp();
    {
        catalogue::Catalogue catalogue(dir.path());
        catalogue.createMissingFilesAndOpenViews();
        catalogue.albumLookup()->last();
        catalogue.albumLookup()->edit();
        catalogue.albumLookup()->setMemo("Notes", "written after the loss");
        catalogue.albumLookup()->post();
        catalogue.closeCleanly();
    }
    EXPECT_EQ(startUp().notes, "");
}

// As a restore from the backup archive leaves them: Albums.dbf, ALBUMS.FPT.
TEST_F(FileRepair, MemoFileSpelledInAnotherCaseKeepsTheNotes)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    const std::string before = startUp().notes;
    ASSERT_FALSE(before.empty());
    fs::rename(dir.file("ALBUMS.DBF"), dir.file("Albums.dbf"));
    fs::rename(dir.file("ALBUMS.CDX"), dir.file("albums.cdx"));
    const Start start = startUp();
    EXPECT_EQ(start.notices, Texts{});
    EXPECT_EQ(start.notes, before);
    EXPECT_FALSE(fs::exists(dir.file("Albums.fpt")));
}

TEST_F(FileRepair, MemoFileOfAMissingTableIsKeptByteForByte)
{
    test_support::copyFixtureSet("xbase/medium", dir.path());
    fs::remove(dir.file("ALBUMS.DBF"));
    const Start start = startUp();
    std::string aside;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().starts_with("ALBUMS.FPT.orphaned-"))
            aside = entry.path().string();
    ASSERT_FALSE(aside.empty());
    EXPECT_EQ(test_support::readFile(aside), test_support::readFile(test_support::fixturePath("xbase/medium/ALBUMS.FPT")));
    ASSERT_EQ(start.notices.size(), 1u);
    EXPECT_NE(start.notices[0].find(aside), std::string::npos) << "the user learns where it is";
    EXPECT_EQ(start.albums, 0u);
    expectSoundIndexes();
}

}  // namespace
