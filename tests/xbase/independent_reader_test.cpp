// Tables and memos we write read back identically in independent xBase
// readers (Debian's python3-dbf and pgdbf).
#include <gtest/gtest.h>

#include <fstream>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/table.h"

namespace {

using test_support::runCapture;

class IndependentReaders : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = dir.file("ALBUMS.DBF");
        xbase::Table::create(path, xbase::parseCreationList("Album,Char,50;Artist,Char,50;ID,Char,8;Notes,Memo;"));
        auto t = xbase::Table::open(path, xbase::OpenMode::Exclusive);
        const std::string longMemo(5000, 'm');
        const std::vector<std::vector<std::string>> rows = {
            {"Homogenic", "Bj\xf6rk", "00a1b2c3", "Bought in Reykjav\xedk."},
            {"Deleted", "Nobody", "deadbeef", ""},
            {"Abbey Road", "The Beatles", "a90b7c0d", longMemo},
            {"Non, je ne regrette rien", "\xc9" "dith Piaf", "z0000001", "two\r\nlines"},
        };
        for (const auto& row : rows) {
            auto rec = t->blankRecord();
            for (int f = 0; f < 4; ++f)
                t->setFieldText(rec.data(), f, row[static_cast<std::size_t>(f)]);
            t->append(rec.data());
        }
        t->setDeleted(2, true);
        // Rewrite one memo longer so that it moves, leaving unused blocks behind.
        auto rec = std::vector<std::uint8_t>(t->record(1), t->record(1) + t->recordLength());
        t->setFieldText(rec.data(), 3, std::string(300, 'r'));
        t->write(1, rec.data());
        t->flush();
    }
    test_support::TempDir dir;
};

TEST_F(IndependentReaders, PythonDbfReadsEveryFieldAndMemo)
{
    const std::string script =
        "import dbf,sys\n"
        "t=dbf.Table(sys.argv[1], codepage='cp1252')\n"
        "t.open(dbf.READ_ONLY)\n"
        "for r in t:\n"
        "  v=[str(x).rstrip() for x in r]\n"
        "  print(int(dbf.is_deleted(r)), '|'.join(s if len(s)<40 else s[:3]+str(len(s)) for s in v))\n";
    {
        std::ofstream(dir.file("read.py")) << script;
    }
    int status = 0;
    // Debian's module, so the system interpreter, whatever python3 is first on PATH.
    std::string out = runCapture("/usr/bin/python3 " + dir.file("read.py") + " " + dir.file("ALBUMS.DBF") + " 2>&1",
                                 &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out,
              "0 Homogenic|Bj\xc3\xb6rk|00a1b2c3|rrr300\n"
              "1 Deleted|Nobody|deadbeef|\n"
              "0 Abbey Road|The Beatles|a90b7c0d|mmm5000\n"
              "0 Non, je ne regrette rien|\xc3\x89" "dith Piaf|z0000001|two\r\nlines\n");
}

TEST_F(IndependentReaders, PgdbfReadsEveryFieldAndMemo)
{
    int status = 0;
    std::string out = runCapture("pgdbf -s cp1252 -m " + dir.file("ALBUMS.FPT") + " " + dir.file("ALBUMS.DBF") +
                                     " 2>&1",
                                 &status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Homogenic\tBj\xc3\xb6rk\t00a1b2c3\t" + std::string(300, 'r') + "\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("Abbey Road\tThe Beatles\ta90b7c0d\t" + std::string(5000, 'm') + "\n"), std::string::npos);
    EXPECT_NE(out.find("\xc3\x89" "dith Piaf\tz0000001\ttwo\\r\\nlines\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("deadbeef"), std::string::npos) << "pgdbf skips deleted rows";
}

}  // namespace
