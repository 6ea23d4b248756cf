// Writes held in memory and written in pieces: what reaches the file, and
// what reads see meanwhile, equal what plain writes would give.
#include <gtest/gtest.h>

#include <random>

#include "playback/tracks_view_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

TEST(TracksViewFileSystem, ATableFilledRowByRowReadsAndLandsAsWritten)
{
    test_support::TempDir dir;
    const std::string path = dir.file("TVIEW.DBF");
    std::string expected(300, 'h');  // a header, rewritten as rows come
    {
        auto file = xbase::defaultFileSystem().open(path, xbase::OpenFlags::Create);
        file->writeAt(0, expected.data(), expected.size());
    }
    playback::TracksViewFileSystem held(xbase::defaultFileSystem());
    auto file = held.open(path, xbase::OpenFlags::ReadWrite);
    std::mt19937 random(7);
    // Far more than the blocks held at a time, rows straddling block ends.
    for (int row = 0; row < 20000; ++row) {
        std::string bytes(163, static_cast<char>('a' + row % 26));
        bytes += '\x1a';
        const std::uint64_t end = expected.size() - (row == 0 ? 0 : 1);
        file->writeAt(end, bytes.data(), bytes.size());
        expected.replace(end, std::string::npos, bytes);
        const std::string count = std::to_string(row);
        file->writeAt(4, count.data(), count.size());
        expected.replace(4, count.size(), count);
        if (row % 997 == 0) {
            const std::size_t at = random() % expected.size(), n = std::min<std::size_t>(5000, expected.size() - at);
            std::string seen(n, '\0');
            ASSERT_EQ(file->readAt(at, seen.data(), n), n);
            ASSERT_EQ(seen, expected.substr(at, n)) << "row " << row << " at " << at;
        }
    }
    EXPECT_EQ(file->size(), expected.size());
    file->sync();
    EXPECT_EQ(test_support::readFile(path), expected);

    file->truncate(1000);
    file->sync();
    EXPECT_EQ(test_support::readFile(path), expected.substr(0, 1000));
}

}  // namespace
