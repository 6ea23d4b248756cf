// The inspector's tag walks and seeks agree with the reference engine's
// recorded results, and its commands change files as they say.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dbf_commands.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using test_support::fixturePath;
using test_support::tabRows;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

std::string readAll(int fd)
{
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return text;
}

// Runs the real inspector. Run by root it becomes "nobody" first, so that
// file permissions bind it as they bind a user.
ToolRun runTool(const std::vector<std::string>& args)
{
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1]})
            ::close(fd);
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(VINORA_DBF_TOOL)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VINORA_DBF_TOOL, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ToolRun run;
    run.out = readAll(out[0]);
    run.err = readAll(err[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A folder anyone may write, holding `set` (a fixture set or nothing).
void shareFolder(const test_support::TempDir& dir, const std::string& set = {})
{
    namespace fs = std::filesystem;
    if (!set.empty())
        test_support::copyFixtureSet(set, dir.path());
    fs::permissions(dir.path(), fs::perms::all);
    for (const auto& entry : fs::directory_iterator(dir.path()))
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
}

void makeReadOnly(const std::string& path)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
}

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

TEST(ToolCommands, CreateReplacesAnExistingTableOnlyWhenForced)
{
    test_support::TempDir dir;
    shareFolder(dir);
    const std::string dbf = dir.file("T.DBF");
    ASSERT_EQ(runTool({"create", dbf, "Artist,Char,20;Notes,Memo;"}).status, 0);
    ASSERT_EQ(runTool({"append", dbf, "Artist=kept", "Notes=memo"}).status, 0);
    ToolRun refused = runTool({"create", dbf, "Artist,Char,20;"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_EQ(runTool({"count", dbf}).out, "1\n");
    EXPECT_EQ(runTool({"create", dbf, "Artist,Char,20;", "--force"}).status, 0);
    EXPECT_EQ(runTool({"count", dbf}).out, "0\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("T.FPT")));
}

TEST(ToolCommands, ValuesLongerThanTheirFieldAreCutWithAWarning)
{
    test_support::TempDir dir;
    shareFolder(dir);
    const std::string dbf = dir.file("T.DBF");
    ASSERT_EQ(runTool({"create", dbf, "Artist,Char,5;Label,Char,10;"}).status, 0);
    const ToolRun run = runTool({"append", dbf, "Artist=Abcdefgh", "Label=fits"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("ARTIST holds 5 characters"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("LABEL"), std::string::npos) << run.err;
    EXPECT_EQ(runTool({"dump", dbf}).out, "#columns\trecno\tdeleted\tARTIST\tLABEL\n1\t0\tAbcde\tfits\n");
}

// No command writes to a table with a read-only file, nor swaps such a file
// for a writable one; a refused append leaves nothing to duplicate later.
TEST(ToolCommands, ReadOnlyFilesAreNeverWritten)
{
    test_support::TempDir dir;
    shareFolder(dir, "xbase/small");
    const std::string dbf = dir.file("ALBUMS.DBF");
    makeReadOnly(dir.file("ALBUMS.CDX"));
    ToolRun append = runTool({"append", dbf, "Album=Once"});
    if (append.status == 127 || append.status == 126)
        GTEST_SKIP() << "the inspector cannot be run as an unprivileged user here";
    EXPECT_EQ(append.status, 1);
    EXPECT_NE(append.err.find("ALBUMS.CDX: the file is read-only"), std::string::npos) << append.err;
    EXPECT_EQ(runTool({"count", dbf}).out, "14\n");

    std::filesystem::permissions(dir.file("ALBUMS.CDX"), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(runTool({"append", dbf, "Album=Once"}).out, "17\n");
    EXPECT_EQ(runTool({"count", dbf}).out, "15\n");
    EXPECT_EQ(runTool({"check", dbf}).out, "ok\n");

    makeReadOnly(dbf);
    const std::string bytes = test_support::readFile(dbf);
    for (std::vector<std::string> command :
         {std::vector<std::string>{"append", dbf, "Album=Twice"}, {"delete", dbf, "1"}, {"index", dbf, "YEAR", "Yr"},
          {"pack", dbf}, {"create", dbf, "Album,Char,5;", "--force"}}) {
        const ToolRun run = runTool(command);
        EXPECT_EQ(run.status, 1) << command[0];
        EXPECT_NE(run.err.find("read-only"), std::string::npos) << command[0] << ": " << run.err;
        EXPECT_TRUE(test_support::readFile(dbf) == bytes) << command[0] << " changed the table";
        EXPECT_EQ(std::filesystem::status(dbf).permissions() & std::filesystem::perms::owner_write,
                  std::filesystem::perms::none)
            << command[0];
    }
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
