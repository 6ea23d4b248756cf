// Damaged or cut files give the engine's error, never a crash or garbage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::OpenMode;
using xbase::Table;

class DamagedFile : public testing::Test {
protected:
    void SetUp() override { test_support::copyFixtureSet("xbase/small", dir.path()); }

    void overwrite(const std::string& name, std::size_t offset, const std::string& bytes)
    {
        std::fstream f(dir.file(name), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(offset));
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void cut(const std::string& name, std::uintmax_t size) { std::filesystem::resize_file(dir.file(name), size); }

    // Opens ALBUMS and reads every memo; returns the error text or "".
    std::string readAll()
    {
        try {
            auto t = Table::open(dir.file("ALBUMS.DBF"), OpenMode::Shared);
            for (std::uint32_t r = 1; r <= t->recordCount(); ++r)
                t->memoText(t->record(r), t->fieldIndex("Notes"));
            return "";
        } catch (const xbase::XbaseError& e) {
            return e.what();
        }
    }

    test_support::TempDir dir;
};

TEST_F(DamagedFile, TruncatedHeader)
{
    cut("ALBUMS.DBF", 20);
    EXPECT_NE(readAll().find("too short"), std::string::npos);
    cut("ALBUMS.DBF", 100);  // descriptors cut off
    EXPECT_NE(readAll().find("ALBUMS.DBF"), std::string::npos);
}

TEST_F(DamagedFile, RecordCountPastTheEnd)
{
    overwrite("ALBUMS.DBF", 4, std::string("\x11\0\0\0", 4));  // 17 records, 16 present
    EXPECT_NE(readAll().find("record count"), std::string::npos);
    overwrite("ALBUMS.DBF", 4, std::string("\xff\xff\xff\xff", 4));
    EXPECT_NE(readAll().find("record count"), std::string::npos);
}

TEST_F(DamagedFile, BadHeaderAndFieldLengths)
{
    overwrite("ALBUMS.DBF", 8, std::string("\x05\0", 2));  // header length 5
    EXPECT_NE(readAll().find("header"), std::string::npos);
    test_support::copyFixtureSet("xbase/small", dir.path());
    overwrite("ALBUMS.DBF", 10, std::string("\x10\0", 2));  // record shorter than its fields
    EXPECT_NE(readAll().find("do not fit"), std::string::npos);
}

TEST_F(DamagedFile, MemoPointerPastTheEnd)
{
    overwrite("ALBUMS.DBF", 386 + 198 + 188, "    999999");  // record 2's memo pointer
    EXPECT_NE(readAll().find("outside the memo file"), std::string::npos);
    overwrite("ALBUMS.DBF", 386 + 198 + 188, "     abc12");
    EXPECT_NE(readAll().find("not a block number"), std::string::npos);
}

TEST_F(DamagedFile, CutMemoBlockAndMissingMemoFile)
{
    cut("ALBUMS.FPT", 64 * 124 - 100);  // the last memo loses its end
    EXPECT_NE(readAll().find("cut short"), std::string::npos);
    cut("ALBUMS.FPT", 300);
    EXPECT_NE(readAll().find("header is cut short"), std::string::npos);
    std::filesystem::remove(dir.file("ALBUMS.FPT"));
    EXPECT_NE(readAll().find("ALBUMS.FPT is missing"), std::string::npos);
}

TEST_F(DamagedFile, MemoLengthLargerThanTheFile)
{
    overwrite("ALBUMS.FPT", 8 * 64 + 4, std::string("\x7f\xff\xff\xff", 4));
    EXPECT_NE(readAll().find("cut short"), std::string::npos);
}

}  // namespace
