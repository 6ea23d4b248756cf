// The inspector's tag walks and seeks agree with the reference engine's
// recorded results, and its commands change files as they say.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dbf_commands.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using test_support::fixturePath;
using test_support::tabRows;

std::string run(const std::vector<std::string>& args, int expectedStatus = 0)
{
    std::ostringstream out, err;
    EXPECT_EQ(vinora_dbf::runCommand(args, out, err), expectedStatus) << err.str();
    return expectedStatus == 0 ? out.str() : err.str();
}

std::string expectedLines(const std::string& path)
{
    std::string text;
    for (const std::string& line : test_support::dataLines(path))
        text += line + "\n";
    return text;
}

struct TagCase {
    std::string set, table, tag;
};

class FixtureTags : public testing::TestWithParam<TagCase> {};

TEST_P(FixtureTags, OrderWithAndWithoutDeletedRows)
{
    const auto& p = GetParam();
    const std::string dbf = fixturePath("xbase/" + p.set + "/" + p.table + ".DBF");
    const std::string base = fixturePath("xbase/" + p.set + "/expected/" + p.table + ".tag." + p.tag);
    EXPECT_EQ(run({"order", dbf, p.tag, "--deleted"}), expectedLines(base + ".all.txt"));
    EXPECT_EQ(run({"order", dbf, p.tag}), expectedLines(base + ".live.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    AllTags, FixtureTags,
    testing::Values(TagCase{"small", "ALBUMS", "ARTIST"}, TagCase{"small", "ALBUMS", "ALBUM"},
                    TagCase{"small", "ALBUMS", "LABEL"}, TagCase{"small", "ALBUMS", "GENRE"},
                    TagCase{"small", "ALBUMS", "ID"}, TagCase{"small", "TRACKS", "TRACKS"},
                    TagCase{"small", "PLAYLIST", "PLAYLIST"}, TagCase{"small", "ARTISTS", "ID"},
                    TagCase{"small", "ARTISTS", "ARTIST"}, TagCase{"medium", "ALBUMS", "ARTIST"},
                    TagCase{"medium", "ALBUMS", "LABEL"}, TagCase{"medium", "TRACKS", "TRACKS"},
                    TagCase{"medium", "ARTISTS", "ARTIST"}, TagCase{"empty", "ALBUMS", "GENRE"}),
    [](const auto& info) { return info.param.set + "_" + info.param.table + "_" + info.param.tag; });

TEST(FixtureSeeks, EveryRecordedSeekGivesTheRecordedResult)
{
    for (std::string set : {"small", "medium", "empty"}) {
        for (std::string table : {"ALBUMS", "TRACKS", "PLAYLIST", "ARTISTS"}) {
            const std::string dbf = fixturePath("xbase/" + set + "/" + table + ".DBF");
            for (const auto& row : tabRows(fixturePath("xbase/" + set + "/expected/" + table + ".seeks.txt"))) {
                std::vector<std::string> args = {"seek", dbf, row[0], row[3]};
                if (row[1] == "off")
                    args.push_back("--deleted");
                if (row[2] == "1")
                    args.push_back("--nearest");
                EXPECT_EQ(run(args), row[4] + "\t" + row[5] + "\t" + row[6] + "\n")
                    << set << " " << table << " " << row[0] << " [" << row[3] << "] deleted " << row[1] << " soft "
                    << row[2];
            }
        }
    }
}

TEST(ToolCommands, CreateAppendIndexDeleteCountAndPack)
{
    test_support::TempDir dir;
    const std::string dbf = dir.file("T.DBF");
    run({"create", dbf, "Artist,Char,20;Notes,Memo;"});
    EXPECT_EQ(run({"append", dbf, "Artist=Bj\\xf6rk", "Notes=a\\r\\nb"}), "1\n");
    EXPECT_EQ(run({"append", dbf, "artist=abba"}), "2\n");
    EXPECT_EQ(run({"append", dbf, "ARTIST=Zappa"}), "3\n");
    run({"index", dbf, "Artist", "upper(Artist)"});
    EXPECT_EQ(run({"tags", dbf}), "ARTIST\tupper(Artist)\n");
    EXPECT_EQ(run({"order", dbf, "artist"}), "2\tABBA\n1\tBJ\\xf6RK\n3\tZAPPA\n");
    run({"delete", dbf, "2"});
    EXPECT_EQ(run({"count", dbf}), "2\n");
    EXPECT_EQ(run({"count", dbf, "--filter", "artist = \"Zappa\" .or. contains(notes,\"B\")"}), "2\n");
    EXPECT_EQ(run({"seek", dbf, "ARTIST", "A", "--nearest"}), "0\t0\t1\n");
    run({"pack", dbf});
    EXPECT_EQ(run({"dump", dbf}), "#columns\trecno\tdeleted\tARTIST\tNOTES\n1\t0\tBj\\xf6rk\ta\\r\\nb\n2\t0\tZappa\t\n");
    EXPECT_EQ(run({"order", dbf, "ARTIST"}), "1\tBJ\\xf6RK\n2\tZAPPA\n");
}

TEST(ToolCommands, CheckPassesSoundIndexesAndFindsStaleKeys)
{
    test_support::TempDir dir;
    for (std::string set : {"small", "medium", "empty"})
        for (std::string table : {"ALBUMS", "TRACKS", "PLAYLIST", "ARTISTS"})
            EXPECT_EQ(run({"check", fixturePath("xbase/" + set + "/" + table + ".DBF")}), "ok\n") << set << table;
    test_support::copyFixtureSet("xbase/small", dir.path());
    {
        // Change an artist behind the index's back.
        std::fstream f(dir.file("ALBUMS.DBF"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(386 + 51);
        f.write("Q", 1);
    }
    std::ostringstream out, err;
    EXPECT_EQ(vinora_dbf::runCommand({"check", dir.file("ALBUMS.DBF")}, out, err), 1);
    EXPECT_NE(out.str().find("problem\t"), std::string::npos) << out.str();
}

TEST(ToolCommands, ErrorsExitNonZeroWithAMessage)
{
    test_support::TempDir dir;
    EXPECT_NE(run({"dump", dir.file("missing.dbf")}, 1).find("missing.dbf"), std::string::npos);
    EXPECT_NE(run({"create", dir.file("x.dbf"), "Artist,Blob,3;"}, 1).find("unknown field type"), std::string::npos);
    run({"create", dir.file("x.dbf"), "Artist,Char,3;"});
    EXPECT_NE(run({"append", dir.file("x.dbf"), "Nope=1"}, 1).find("no field named"), std::string::npos);
    EXPECT_NE(run({"delete", dir.file("x.dbf"), "5"}, 1).find("does not exist"), std::string::npos);
    EXPECT_NE(run({"count", dir.file("x.dbf"), "--filter", "artist ="}, 1).find("position"), std::string::npos);
    EXPECT_NE(run({"order", dir.file("x.dbf"), "ARTIST"}, 1).find("no index tag"), std::string::npos);
    run({"frobnicate"}, 2);
}

}  // namespace
