// A write that fails part-way leaves a table that still opens and reads as
// it was before the failed change.
#include <gtest/gtest.h>

#include "support/faulty_file_system.h"
#include "support/temp_dir.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::OpenMode;
using xbase::Table;

TEST(TornWrite, FailedAppendKeepsTheOldRecords)
{
    test_support::TempDir dir;
    test_support::FaultyFileSystem fs;
    const std::string path = dir.file("ALBUMS.DBF");
    Table::create(path, xbase::parseCreationList("Album,Char,50;Notes,Memo;"), fs);
    auto put = [&](Table& t, const std::string& album, const std::string& notes) {
        auto rec = t.blankRecord();
        t.setFieldText(rec.data(), 0, album);
        t.setFieldText(rec.data(), 1, notes);
        return t.append(rec.data());
    };
    {
        auto t = Table::open(path, OpenMode::Shared, fs);
        put(*t, "kept", "kept memo");
    }
    // Every budget from 0 to past the whole append: the table reopens with
    // either the old record alone or both, never damaged.
    for (std::uint64_t budget = 0; budget < 400; budget += 7) {
        {
            auto t = Table::open(path, OpenMode::Shared, fs);
            fs.failAfter(budget);
            try {
                put(*t, "new", std::string(100, 'n'));
            } catch (const xbase::XbaseError&) {
            }
            fs.heal();
        }
        auto t = Table::open(path, OpenMode::Shared, fs);
        ASSERT_GE(t->recordCount(), 1u) << budget;
        EXPECT_EQ(t->fieldText(t->record(1), 0).substr(0, 4), "kept");
        EXPECT_EQ(t->memoText(t->record(1), 1), "kept memo");
        for (std::uint32_t r = 2; r <= t->recordCount(); ++r)
            EXPECT_EQ(t->memoText(t->record(r), 1), std::string(100, 'n')) << budget;
    }
}

}  // namespace
