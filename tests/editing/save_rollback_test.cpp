// A save that fails part-way leaves the catalogue as it was: writes fail
// after N bytes for N across the whole save, once (the undo then runs at
// once) or for good (the undo waits for the next start).
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/rollback_journal.h"
#include "catalogue_snapshot.h"
#include "editing/album_form_loader.h"
#include "editing/album_saver.h"
#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

using editing::AlbumFormData;
using editing::SaveResult;
using test_support::FaultyFileSystem;

constexpr char kCompilation[] = "c30d2e11";

// Writes fail once, when the budget of the faulty file system runs out;
// after that failure the disk works again, as after a passing I/O error.
class OnceFaultyFileSystem : public xbase::FileSystem {
public:
    FaultyFileSystem& faults() { return faulty_; }

    std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenFlags flags) override
    {
        return std::make_unique<OnceFaultyFile>(faulty_.open(path, flags), faulty_);
    }
    bool exists(const std::string& path) override { return faulty_.exists(path); }
    void remove(const std::string& path) override { faulty_.remove(path); }
    void rename(const std::string& from, const std::string& to) override
    {
        healAfter([&] { faulty_.rename(from, to); }, faulty_);
    }
    std::string identity(const std::string& path) override { return faulty_.identity(path); }

private:
    template <class F>
    static void healAfter(F f, FaultyFileSystem& faulty)
    {
        try {
            f();
        } catch (const xbase::XbaseError&) {
            faulty.heal();
            throw;
        }
    }

    class OnceFaultyFile : public xbase::File {
    public:
        OnceFaultyFile(std::unique_ptr<xbase::File> file, FaultyFileSystem& faulty)
            : file_(std::move(file)), faulty_(faulty)
        {
        }
        std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override
        {
            return file_->readAt(offset, buf, n);
        }
        void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override
        {
            healAfter([&] { file_->writeAt(offset, buf, n); }, faulty_);
        }
        std::uint64_t size() override { return file_->size(); }
        void truncate(std::uint64_t size) override
        {
            healAfter([&] { file_->truncate(size); }, faulty_);
        }
        void sync() override { file_->sync(); }
        bool tryLock(xbase::LockKind kind) override { return file_->tryLock(kind); }
        const std::string& path() const override { return file_->path(); }

    private:
        std::unique_ptr<xbase::File> file_;
        FaultyFileSystem& faulty_;
    };

    FaultyFileSystem faulty_;
};

enum class Change { NewAlbum, ModifyCompilation };

void PrintTo(Change change, std::ostream* out)
{
    *out << (change == Change::NewAlbum ? "NewAlbum" : "ModifyCompilation");
}

// One copy of the collection per budget, opened through `fs`.
class FailedSave : public testing::TestWithParam<Change> {
protected:
    void open(xbase::FileSystem& fs)
    {
        catalogue = std::make_unique<catalogue::Catalogue>(dir->path(), fs);
        catalogue->createMissingFilesAndOpenViews();
    }

    void freshCopy()
    {
        catalogue.reset();
        dir = std::make_unique<test_support::TempDir>();
        test_support::copyFixtureSet("xbase/small", dir->path());
    }

    // The change under test, as the edit form hands it over.
    AlbumFormData change()
    {
        if (GetParam() == Change::NewAlbum) {
            AlbumFormData data;
            editing::resetForNewEntry(data, lookup::EditMode::AddOther, "rock");
            data.artist = "Various Artists";
            data.album = "Fresh";
            data.notes = std::string(300, 'n');
            for (int i = 1; i <= 12; ++i)
                data.tracks.push_back(
                    {std::to_string(i), " 3:0" + std::to_string(i % 10), "Singer " + std::to_string(i) + " / Song"});
            return data;
        }
        xbase::Cursor& albums = catalogue->albums().cursor();
        albums.setOrder("ID");
        EXPECT_TRUE(albums.seek(kCompilation));
        albums.setOrder("Artist");
        long running = 0;
        AlbumFormData data = editing::loadCurrentAlbum(*catalogue, running);
        // Shorter notes are rewritten in the memo's own blocks.
        data.notes = "short";
        data.artist = "Various";
        for (auto& track : data.tracks)
            track.title = "Someone / " + track.title;
        return data;
    }

    SaveResult saveChange() { return editing::AlbumSaver(*catalogue).save(change(), {}); }

    // Bytes a save writes when nothing fails.
    std::uint64_t bytesOfASave()
    {
        freshCopy();
        FaultyFileSystem fs;
        open(fs);
        const std::uint64_t before = fs.written();
        const SaveResult result = saveChange();
        EXPECT_EQ(result.status, SaveResult::Status::Saved) << result.error;
        const std::uint64_t bytes = fs.written() - before;
        catalogue.reset();
        return bytes;
    }

    static std::vector<std::uint64_t> budgets(std::uint64_t total)
    {
        std::vector<std::uint64_t> list{0, 1, 7, 20, 100};
        for (std::uint64_t n = 150; n < total; n += std::max<std::uint64_t>(1, total / 60))
            list.push_back(n);
        list.push_back(total - 1);
        return list;
    }

    std::unique_ptr<test_support::TempDir> dir;
    std::unique_ptr<catalogue::Catalogue> catalogue;
};

TEST_P(FailedSave, PassingFailureIsUndoneAtOnce)
{
    const std::uint64_t total = bytesOfASave();
    ASSERT_GT(total, 1000u);
    for (std::uint64_t budget : budgets(total)) {
        const std::string context =
            "failing after " + std::to_string(budget) + " of " + std::to_string(total) + " bytes";
        freshCopy();
        OnceFaultyFileSystem fs;
        open(fs);
        const auto before = test_support::takeSnapshot(dir->path());
        const std::uint32_t albumsShown = catalogue->albums()->count();
        const AlbumFormData data = change();
        const std::uint32_t current = catalogue->albums()->recno();

        fs.faults().failAfter(budget);
        const SaveResult result = editing::AlbumSaver(*catalogue).save(data, {});
        ASSERT_EQ(result.status, SaveResult::Status::NotSaved) << context;
        EXPECT_NE(result.error.find("injected"), std::string::npos) << context << ": " << result.error;
        EXPECT_FALSE(catalogue::RollbackJournal::pending(dir->path(), fs)) << context;

        // The views are back, on the album they stood on.
        ASSERT_TRUE(catalogue->albums().isOpen()) << context;
        EXPECT_EQ(catalogue->albums()->count(), albumsShown) << context;
        EXPECT_EQ(catalogue->albums()->recno(), current) << context;
        EXPECT_TRUE(catalogue->allTracks().isOpen() && catalogue->artists().isOpen() &&
                    catalogue->currentAlbumTracks().isOpen())
            << context;

        catalogue.reset();
        test_support::expectSameCatalogue(before, test_support::takeSnapshot(dir->path()), context);
        if (HasFailure())
            return;
    }
}

TEST_P(FailedSave, LastingFailureIsUndoneAtTheNextStart)
{
    const std::uint64_t total = bytesOfASave();
    for (std::uint64_t budget : budgets(total)) {
        const std::string context =
            "failing from " + std::to_string(budget) + " of " + std::to_string(total) + " bytes";
        freshCopy();
        FaultyFileSystem fs;
        open(fs);
        const auto before = test_support::takeSnapshot(dir->path());
        const AlbumFormData data = change();

        fs.failAfter(budget);
        const SaveResult result = editing::AlbumSaver(*catalogue).save(data, {});
        ASSERT_NE(result.status, SaveResult::Status::Saved) << context;
        if (result.status == SaveResult::Status::NotUndone) {
            EXPECT_TRUE(catalogue::RollbackJournal::pending(dir->path(), fs)) << context;
        }
        fs.heal();
        catalogue.reset();

        open(fs);
        EXPECT_FALSE(catalogue::RollbackJournal::pending(dir->path(), fs)) << context;
        catalogue.reset();
        test_support::expectSameCatalogue(before, test_support::takeSnapshot(dir->path()), context);
        if (HasFailure())
            return;
    }
}

// The program went on after a save it could not undo: the next save puts
// the catalogue back first, then saves.
TEST_P(FailedSave, NextSaveUndoesTheUnfinishedOneFirst)
{
    const std::uint64_t total = bytesOfASave();
    freshCopy();
    FaultyFileSystem fs;
    open(fs);
    const std::uint32_t albums = catalogue->albums()->count();
    const AlbumFormData data = change();
    fs.failAfter(total / 2);
    ASSERT_EQ(editing::AlbumSaver(*catalogue).save(data, {}).status, SaveResult::Status::NotUndone);
    fs.heal();

    const SaveResult result = editing::AlbumSaver(*catalogue).save(data, {});
    ASSERT_EQ(result.status, SaveResult::Status::Saved) << result.error;
    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir->path(), fs));
    EXPECT_EQ(catalogue->albums()->count(), albums + (GetParam() == Change::NewAlbum ? 1 : 0));
    xbase::Cursor& tracks = catalogue->allTracks().cursor();
    std::uint32_t rows = 0;
    for (bool ok = tracks.seek(result.id); ok && tracks.fieldTrimmed("ID") == result.id; ok = tracks.next())
        ++rows;
    EXPECT_EQ(rows, data.tracks.size());
    catalogue.reset();
    for (const auto& [table, verdict] : test_support::takeSnapshot(dir->path()).checks)
        EXPECT_EQ(verdict, "ok\n") << table;
}

INSTANTIATE_TEST_SUITE_P(Changes, FailedSave, testing::Values(Change::NewAlbum, Change::ModifyCompilation),
                         [](const testing::TestParamInfo<Change>& info) {
                             return info.param == Change::NewAlbum ? std::string("NewAlbum")
                                                                   : std::string("ModifyCompilation");
                         });

// A journal cut short while it was written is thrown away: no table had
// changed yet.
TEST(RollbackJournal, CutShortJournalIsDiscarded)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    const auto before = test_support::takeSnapshot(dir.path());
    std::ofstream(dir.file(std::string(catalogue::RollbackJournal::kFileName)), std::ios::binary) << "VNJ1\x40\x00";
    EXPECT_FALSE(catalogue::RollbackJournal::recover(dir.path(), xbase::defaultFileSystem(), {}));
    EXPECT_FALSE(catalogue::RollbackJournal::pending(dir.path(), xbase::defaultFileSystem()));
    test_support::expectSameCatalogue(before, test_support::takeSnapshot(dir.path()), "cut short");
}

}  // namespace
