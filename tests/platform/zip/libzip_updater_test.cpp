// The backup archive as unzip's own tools see it: members in order at
// maximum compression with their files' times, updated only where a file
// is newer, and left whole when an update is cancelled.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/zip/libzip_updater.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr std::time_t kBase = 1767348000;  // 2026-01-02 10:00:00 UTC

void writeFile(const std::string& path, const std::string& text, std::time_t mtime)
{
    std::ofstream(path, std::ios::binary) << text;
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::time_t modified(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtime;
}

// zipinfo's lines for the members: method, date.time, name.
Lines members(const std::string& archive)
{
    std::istringstream out(test_support::runCapture("TZ=UTC zipinfo -T '" + archive + "'"));
    Lines rows;
    for (std::string line; std::getline(out, line);) {
        std::istringstream fields(line);
        std::string perms, version, os, size, kind, method, when, name;
        if (line.empty() || line[0] != '-' || !(fields >> perms >> version >> os >> size >> kind >> method >> when >> name))
            continue;
        rows.push_back(method + " " + when + " " + name);
    }
    return rows;
}

class LibzipUpdater : public testing::Test {
protected:
    void SetUp() override
    {
        // ZIP times are local times: read them back in the zone they were written in.
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        writeFile(dir.file("ALBUMS.DBF"), std::string(40000, 'a') + "albums", kBase);
        writeFile(dir.file("ALBUMS.FPT"), std::string(9000, 'n') + "notes", kBase + 4);
        writeFile(dir.file("Vinora.ini"), "[Current]\r\nHost=example\r\n", kBase + 2);
    }

    bool update(bool cancel = false)
    {
        platform::ZipProgress progress{[this](std::size_t done, std::size_t total) { reports.push_back({done, total}); },
                                       [cancel] { return cancel; }};
        return platform::LibzipUpdater().update(archive, list, progress);
    }

    test_support::TempDir dir;
    std::string archive = dir.file("CDbackup.zip");
    std::vector<platform::ZipMember> list{{"Albums.dbf", dir.file("ALBUMS.DBF")},
                                          {"Lost.dbf", dir.file("LOST.DBF")},
                                          {"Albums.fpt", dir.file("ALBUMS.FPT")},
                                          {"Vinora.ini", dir.file("Vinora.ini")}};
    std::vector<std::pair<std::size_t, std::size_t>> reports;
};

TEST_F(LibzipUpdater, StoresNewAndNewerFilesOnlyAndDatesTheArchiveByItsNewestMember)
{
    ASSERT_TRUE(update());
    EXPECT_EQ(members(archive), (Lines{"defX 20260102.100000 Albums.dbf", "defX 20260102.100004 Albums.fpt",
                                       "defX 20260102.100002 Vinora.ini"}));
    int status = -1;
    test_support::runCapture("unzip -tq '" + archive + "'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(modified(archive), kBase + 4);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().first, reports.back().second);

    const std::string first = test_support::readFile(archive);
    writeFile(dir.file("ALBUMS.FPT"), std::string(9000, 'n') + "notes", kBase + 5);  // within ZIP's two seconds
    ASSERT_TRUE(update());
    EXPECT_EQ(test_support::readFile(archive), first) << "nothing newer: the archive is not written";

    writeFile(dir.file("ALBUMS.DBF"), "packed", kBase + 60);
    ASSERT_TRUE(update());
    EXPECT_EQ(members(archive), (Lines{"defX 20260102.100100 Albums.dbf", "defX 20260102.100004 Albums.fpt",
                                       "defX 20260102.100002 Vinora.ini"}));
    EXPECT_EQ(test_support::runCapture("unzip -p '" + archive + "' Albums.dbf"), "packed");
    EXPECT_EQ(modified(archive), kBase + 60);
}

TEST_F(LibzipUpdater, ACancelledUpdateLeavesTheArchiveAsItWasAndNothingBeside)
{
    ASSERT_TRUE(update());
    const std::string before = test_support::readFile(archive);
    writeFile(dir.file("ALBUMS.DBF"), "changed", kBase + 60);

    EXPECT_FALSE(update(true));

    EXPECT_EQ(test_support::readFile(archive), before);
    Lines names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"ALBUMS.DBF", "ALBUMS.FPT", "CDbackup.zip", "Vinora.ini"}));
}

TEST_F(LibzipUpdater, ADamagedArchiveIsReportedAndKeptButAnEmptyOneIsReplaced)
{
    writeFile(archive, "not a zip archive", kBase);
    try {
        update();
        ADD_FAILURE() << "a damaged archive was not reported";
    } catch (const platform::ZipError& e) {
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
    EXPECT_EQ(test_support::readFile(archive), "not a zip archive");

    writeFile(archive, "", kBase);
    ASSERT_TRUE(update());
    EXPECT_EQ(members(archive).size(), 3U);
}

}  // namespace
