// A write that fails part-way leaves a table that still opens and reads as
// it was before the failed change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using test_support::FaultyFileSystem;
using xbase::OpenMode;
using xbase::Table;
using Fault = FaultyFileSystem::Fault;

// Every field as text, and the deletion flag: what a reader sees of a record.
std::vector<std::string> seen(const Table& t, std::uint32_t recno)
{
    std::vector<std::string> out{t.isDeleted(recno) ? "*" : " "};
    for (std::size_t f = 0; f < t.fields().size(); ++f)
        out.push_back(t.fieldText(t.record(recno), static_cast<int>(f)));
    return out;
}

// Whether the index's update mark (docs/formats/cdx.md) is set on disk.
bool markedOnDisk(const std::string& cdx)
{
    std::ifstream in(cdx, std::ios::binary);
    char mark[4] = {};
    in.seekg(24);
    in.read(mark, sizeof mark);
    return std::string(mark, sizeof mark) == "UPDT";
}

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

// Budgets that fail each write step recorded from step `first` on (which
// began at `start` bytes): before the step stores anything, and half-way.
std::vector<std::uint64_t> budgetsOf(const FaultyFileSystem& fs, std::size_t first, std::uint64_t start)
{
    std::vector<std::uint64_t> budgets;
    const auto& steps = fs.steps();
    for (std::size_t i = first; i < steps.size(); ++i) {
        const std::uint64_t end = i + 1 < steps.size() ? steps[i + 1] : fs.written();
        budgets.push_back(steps[i] - start);
        budgets.push_back(steps[i] - start + (end - steps[i]) / 2);
    }
    return budgets;
}

// A change to record `recno` of the small ALBUMS table (0: an append).
struct Change {
    const char* name;
    std::uint32_t recno;
    std::function<std::uint32_t(Table&)> apply;  // returns the record changed
};

const Change kChanges[] = {
    {"append", 0,
     [](Table& t) {
         auto rec = t.blankRecord();
         t.setFieldText(rec.data(), t.fieldIndex("ALBUM"), "Fresh");
         t.setFieldText(rec.data(), t.fieldIndex("ARTIST"), "Someone New");
         t.setFieldText(rec.data(), t.fieldIndex("NOTES"), std::string(300, 'n'));
         return t.append(rec.data());
     }},
    {"edit", 3,
     [](Table& t) {
         // Shorter notes: they would fit the old memo's blocks.
         std::vector<std::uint8_t> rec(t.record(3), t.record(3) + t.recordLength());
         t.setFieldText(rec.data(), t.fieldIndex("ARTIST"), "Changed");
         t.setFieldText(rec.data(), t.fieldIndex("NOTES"), "short");
         t.write(3, rec.data());
         return 3u;
     }},
    {"delete", 5,
     [](Table& t) {
         t.setDeleted(5, true);
         return 5u;
     }},
};

// Fails each write of a change (before it stores anything, or half-way) on a
// fresh copy, once or for good. When the call throws after a passing
// failure, record and count are as before; either way the table reopens
// with the old or the new record and an index that matches the table. An
// index left marked is rebuilt at the open, which is refused while the
// index cannot be written.
TEST(TornWrite, FailedChangeLeavesOldOrNewRecordAndASoundIndex)
{
    for (const Change& change : kChanges) {
        test_support::TempDir dir;
        const std::string path = dir.file("ALBUMS.DBF");
        FaultyFileSystem fs;
        test_support::copyFixtureSet("xbase/small", dir.path());
        std::vector<std::string> before, after;
        std::uint32_t countBefore = 0, target = 0;
        std::vector<std::uint64_t> budgets;
        {
            auto t = Table::open(path, OpenMode::Exclusive, fs);
            countBefore = t->recordCount();
            if (change.recno)
                before = seen(*t, change.recno);
            const std::size_t first = fs.steps().size();
            const std::uint64_t start = fs.written();
            target = change.apply(*t);
            after = seen(*t, target);
            budgets = budgetsOf(fs, first, start);
        }
        for (Fault fault : {Fault::Once, Fault::Lasting}) {
            for (std::uint64_t budget : budgets) {
                const std::string context = std::string(change.name) + (fault == Fault::Once ? " once" : " lasting") +
                                            " after " + std::to_string(budget) + " bytes";
                test_support::copyFixtureSet("xbase/small", dir.path());
                bool threw = false;
                {
                    auto t = Table::open(path, OpenMode::Exclusive, fs);
                    fs.failAfter(budget, fault);
                    try {
                        change.apply(*t);
                    } catch (const xbase::XbaseError&) {
                        threw = true;
                    }
                }
                if (fault == Fault::Lasting && markedOnDisk(dir.file("ALBUMS.CDX"))) {
                    std::string refused;
                    try {
                        Table::open(path, OpenMode::Exclusive, fs);
                    } catch (const xbase::XbaseError& e) {
                        refused = e.what();
                    }
                    EXPECT_NE(refused.find("ALBUMS.CDX: the index was left half-updated"), std::string::npos)
                        << context << ": " << refused;
                }
                fs.heal();
                auto t = Table::open(path, OpenMode::Exclusive, fs);
                EXPECT_EQ(xbase::CdxChecker::check(*t->index()), std::vector<std::string>{}) << context;
                if (!threw) {
                    EXPECT_EQ(seen(*t, target), after) << context;
                } else if (fault == Fault::Once) {
                    EXPECT_EQ(t->recordCount(), countBefore) << context;
                    if (change.recno) {
                        EXPECT_EQ(seen(*t, target), before) << context;
                    }
                }
                if (t->recordCount() > countBefore) {
                    EXPECT_EQ(seen(*t, target), after) << context;
                }
                if (HasFailure())
                    return;
            }
        }
    }
}

// A tag creation runs under the index's mark too: failing at its first write
// leaves the index as it was, failing at its last (the mark cleared) leaves
// the new tag to the rebuild at the next open.
TEST(TornWrite, FailedTagCreationLeavesAnIndexTheNextOpenRepairs)
{
    test_support::TempDir dir;
    const std::string path = dir.file("ARTISTS.DBF");
    FaultyFileSystem fs;
    test_support::copyFixtureSet("xbase/small", dir.path());
    std::uint64_t last = 0;
    {
        auto t = Table::open(path, OpenMode::Exclusive, fs);
        const std::uint64_t start = fs.written();
        t->index()->createTag("NR", "NR");
        last = fs.steps().back() - start;
    }
    for (std::uint64_t budget : {std::uint64_t(0), last}) {
        test_support::copyFixtureSet("xbase/small", dir.path());
        {
            auto t = Table::open(path, OpenMode::Exclusive, fs);
            fs.failAfter(budget, Fault::Once);
            EXPECT_THROW(t->index()->createTag("NR", "NR"), xbase::XbaseError) << budget;
        }
        auto t = Table::open(path, OpenMode::Exclusive, fs);
        EXPECT_EQ(xbase::CdxChecker::check(*t->index()), std::vector<std::string>{}) << budget;
        EXPECT_EQ(t->index()->tag("NR") != nullptr, budget == last) << budget;
    }
}

// A creation cut short at any write leaves no table, or the old one, or the
// new one whole: never a file that fails to open. The next create succeeds
// and sweeps up what the cut-short one left.
TEST(TornWrite, CreationCutShortLeavesNoBrokenTable)
{
    const auto fields = xbase::parseCreationList("Album,Char,50;Notes,Memo;");
    for (bool replacing : {false, true}) {
        test_support::TempDir dir;
        FaultyFileSystem fs;
        const std::string path = dir.file("NEW.DBF");
        auto prepare = [&] {
            for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
                std::filesystem::remove(entry.path());
            if (!replacing)
                return;
            Table::create(path, fields, fs);
            auto t = Table::open(path, OpenMode::Exclusive, fs);
            auto rec = t->blankRecord();
            t->setFieldText(rec.data(), 0, "old");
            t->append(rec.data());
            t->createIndex().createTag("ALBUM", "upper(Album)");
        };
        prepare();
        const std::size_t first = fs.steps().size();
        const std::uint64_t start = fs.written();
        Table::create(path, fields, fs);
        for (std::uint64_t budget : budgetsOf(fs, first, start)) {
            const std::string context = (replacing ? "replacing, " : "") + std::to_string(budget) + " bytes";
            prepare();
            fs.failAfter(budget);
            try {
                Table::create(path, fields, fs);
            } catch (const xbase::XbaseError&) {
            }
            fs.heal();
            if (std::filesystem::exists(path)) {
                EXPECT_NO_THROW(Table::open(path, OpenMode::Exclusive, fs)) << context;
            }
            Table::create(path, fields, fs);
            std::size_t files = 0;
            for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
                files += entry.is_regular_file();
            EXPECT_EQ(files, 2u) << context << ": only NEW.DBF and NEW.FPT are left";
            EXPECT_EQ(Table::open(path, OpenMode::Exclusive, fs)->recordCount(), 0u) << context;
        }
    }
}

}  // namespace
