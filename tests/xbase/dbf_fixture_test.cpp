// The reference tables made by an independent engine read exactly as their
// expected files say.
#include <gtest/gtest.h>

#include <sstream>

#include "dbf_commands.h"
#include "support/fixture_files.h"
#include "xbase/byte_order.h"
#include "xbase/memo_file.h"
#include "xbase/table.h"

namespace {

using test_support::dataLines;
using test_support::fixturePath;
using test_support::tabRows;

std::vector<std::string> commandLines(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    EXPECT_EQ(vinora_dbf::runCommand(args, out, err), 0) << err.str();
    std::istringstream in(out.str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

using test_support::TableCase;

class FixtureTable : public testing::TestWithParam<TableCase> {
protected:
    std::string dbf() const { return fixturePath("xbase/" + GetParam().set + "/" + GetParam().table + ".DBF"); }
    std::string expected(const std::string& what) const
    {
        return fixturePath("xbase/" + GetParam().set + "/expected/" + GetParam().table + "." + what + ".txt");
    }
};

TEST_P(FixtureTable, HeaderFactsMatch)
{
    auto want = dataLines(expected("header"));
    auto got = commandLines({"info", dbf()});
    // The update date is the day the fixture was made.
    auto dropDate = [](std::vector<std::string>& v) {
        std::erase_if(v, [](const std::string& l) { return l.rfind("last_update\t", 0) == 0; });
    };
    dropDate(want);
    dropDate(got);
    EXPECT_EQ(got, want);
}

TEST_P(FixtureTable, EveryRecordMatchesIncludingDeletedAndMemos)
{
    auto want = dataLines(expected("records"));
    auto got = commandLines({"dump", dbf()});
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(AllSets, FixtureTable,
                         testing::ValuesIn(test_support::allFixtureTables()),
                         [](const auto& info) { return test_support::tableCaseName(info.param); });

TEST(FixtureMemo, BlockFactsMatch)
{
    for (std::string set : {"small", "medium", "empty"}) {
        auto table = xbase::Table::open(fixturePath("xbase/" + set + "/ALBUMS.DBF"), xbase::OpenMode::Shared);
        xbase::MemoFile& memo = *table->memoFile();
        const int notes = table->fieldIndex("notes");
        for (const auto& row : tabRows(fixturePath("xbase/" + set + "/expected/ALBUMS.memo.txt"))) {
            if (row[0] == "next_free_block")
                EXPECT_EQ(memo.nextFreeBlock(), std::stoul(row[1])) << set;
            else if (row[0] == "block_size")
                EXPECT_EQ(memo.blockSize(), std::stoul(row[1])) << set;
            else if (row[0] == "memo") {
                const std::uint8_t* rec = table->record(static_cast<std::uint32_t>(std::stoul(row[1])));
                std::string pointer(reinterpret_cast<const char*>(rec + table->fields()[notes].offset), 10);
                EXPECT_EQ(std::stoul(pointer), std::stoul(row[3])) << set << " record " << row[1];
                EXPECT_EQ(table->memoText(rec, notes).size(), std::stoul(row[5])) << set << " record " << row[1];
            }
        }
    }
}

}  // namespace
