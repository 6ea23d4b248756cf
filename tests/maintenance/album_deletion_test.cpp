// Deleting the current album: its rows go from all four tables and nothing
// else does, the tables are packed, and a failure at any write leaves the
// collection either as it was or with the album wholly gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/catalogue_schema.h"
#include "catalogue/rollback_journal.h"
#include "maintenance/album_deletion.h"
#include "maintenance_fixture.h"
#include "support/catalogue_rows.h"
#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"

namespace {

namespace fs = std::filesystem;
using Kind = test_support::ScriptedPrompter::Kind;
using Rows = std::map<std::string, int>;
const std::vector<std::string> kTables{"ALBUMS.DBF", "TRACKS.DBF", "PLAYLIST.DBF", "ARTISTS.DBF"};

class AlbumDeletion : public testing::Test, protected test_support::MaintenanceFixture {
protected:
    std::vector<Rows> allRows() const
    {
        std::vector<Rows> rows;
        for (const std::string& table : kTables)
            rows.push_back(rowsById(table));
        return rows;
    }
    bool deleteCurrent(bool ok)
    {
        prompter.answerConfirm(ok);
        return maintenance::AlbumDeletion(catalogue, prompter, runner()).run();
    }
};

TEST_F(AlbumDeletion, RemovesTheAlbumsRowsFromEveryTableAndPacksThem)
{
    catalogue.albums()->first();
    ASSERT_TRUE(catalogue.albums()->next());
    const std::string id = catalogue.albums()->field("ID");
    catalogue.albums()->first();
    const std::string other = catalogue.albums()->field("ID");
    ASSERT_TRUE(catalogue.albums()->next());
    test_support::appendRow(dir.path(), "PLAYLIST.DBF", {{"ID", id}, {"NR", "  1"}});
    test_support::appendRow(dir.path(), "PLAYLIST.DBF", {{"ID", other}, {"NR", "  2"}});
    std::ofstream(dir.file("TVIEW.DBF")) << "stale";
    std::vector<Rows> expected = allRows();
    ASSERT_TRUE(expected[1].contains(id) && expected[2].contains(id));
    for (Rows& rows : expected)
        rows.erase(id);
    const auto tracksSize = fs::file_size(dir.file("TRACKS.DBF"));

    ASSERT_TRUE(deleteCurrent(true));

    EXPECT_EQ(prompter.texts(Kind::Confirm), std::vector<std::string>{std::string(maintenance::kDeleteQuestion)});
    EXPECT_EQ(allRows(), expected);
    EXPECT_LT(fs::file_size(dir.file("TRACKS.DBF")), tracksSize);
    EXPECT_FALSE(fs::exists(dir.file("TVIEW.DBF")));
    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir.path(), catalogue.fileSystem()));
    for (const std::string& table : kTables) {
        auto t = xbase::Table::open(dir.file(table), xbase::OpenMode::Shared);
        EXPECT_EQ(xbase::CdxChecker::check(*t->index()), std::vector<std::string>{}) << table;
        for (std::uint32_t r = 1; r <= t->recordCount(); ++r)
            EXPECT_FALSE(t->isDeleted(r)) << table << " is packed";
    }
    EXPECT_EQ(catalogue.albums()->field("ID"), other) << "the first album of the order is current";
    EXPECT_EQ(test_support::playlistRows(dir.path()).back(), other + "/  2");
}

TEST_F(AlbumDeletion, CancelChangesNothing)
{
    const std::vector<Rows> before = allRows();
    EXPECT_FALSE(deleteCurrent(false));
    EXPECT_EQ(allRows(), before);
    EXPECT_TRUE(stepLabels.empty());
}

TEST_F(AlbumDeletion, DeletingTheOnlyAlbumLeavesFourEmptyTables)
{
    // Only the current album's rows stay live.
    const std::string id = catalogue.albums()->field("ID");
    for (catalogue::TableView* view : {&catalogue.albums(), &catalogue.allTracks(), &catalogue.playlist(),
                                       &catalogue.artists()}) {
        xbase::Table& table = view->cursor().table();
        for (std::uint32_t r = 1; r <= table.recordCount(); ++r)
            if (table.fieldText(table.record(r), table.fieldIndex("ID")) != id)
                table.setDeleted(r, true);
    }
    catalogue.albums()->first();

    ASSERT_TRUE(deleteCurrent(true));

    for (const std::string& table : kTables)
        EXPECT_EQ(xbase::Table::open(dir.file(table), xbase::OpenMode::Shared)->recordCount(), 0u) << table;
    EXPECT_TRUE(catalogue.albums()->eof());
    EXPECT_TRUE(catalogue.currentAlbumTracks()->eof());
}

// Every write of a deletion fails in turn; the next start then finds the
// album either whole or wholly gone.
TEST(AlbumDeletionFault, AFailedWriteLeavesTheAlbumWholeOrWhollyGone)
{
    constexpr std::size_t kEveryStepUpTo = 24;
    constexpr std::size_t kSampledSteps = 12;
    std::vector<Rows> before, after;
    std::vector<std::uint64_t> budgets;
    for (std::size_t run = 0; run == 0 || run <= budgets.size(); ++run) {
        test_support::TempDir dir;
        test_support::copyFixtureSet("xbase/small", dir.path());
        test_support::FaultyFileSystem faulty;
        test_support::ScriptedPrompter prompter;
        prompter.answerConfirm(true);
        const auto tableRows = [&] {
            std::vector<Rows> rows;
            for (const std::string& table : kTables) {
                auto t = xbase::Table::open(dir.file(table), xbase::OpenMode::Shared);
                Rows byId;
                for (std::uint32_t r = 1; r <= t->recordCount(); ++r)
                    if (!t->isDeleted(r))
                        ++byId[t->fieldText(t->record(r), t->fieldIndex("ID"))];
                rows.push_back(byId);
            }
            return rows;
        };
        {
            catalogue::Catalogue catalogue(dir.path(), faulty);
            catalogue.createMissingFilesAndOpenViews();
            if (run == 0)
                before = tableRows();
            const std::uint64_t start = faulty.written();
            const std::size_t firstStep = faulty.steps().size();
            if (run > 0)
                faulty.failAfter(budgets[run - 1]);
            auto runStep = [](const std::string&, bool, const std::function<void(common::Progress&)>& step) {
                test_support::RecordedProgress progress;
                step(progress);
            };
            try {
                maintenance::AlbumDeletion(catalogue, prompter, runStep).run();
            } catch (const std::exception&) {
            }
            if (run == 0) {
                // Every write up to the commit, then a sample of the packs'.
                const std::size_t steps = faulty.steps().size() - firstStep;
                for (std::size_t i = 0; i < steps; i += i < kEveryStepUpTo ? 1 : steps / kSampledSteps + 1)
                    budgets.push_back(faulty.steps()[firstStep + i] - start);
                ASSERT_FALSE(budgets.empty());
            }
        }
        catalogue::Catalogue restarted(dir.path());
        restarted.createMissingFilesAndOpenViews();
        const std::vector<Rows> now = tableRows();
        if (run == 0)
            after = now;
        EXPECT_TRUE(now == before || now == after) << "failing at write " << run;
        if (HasFailure())
            return;
    }
}

}  // namespace
