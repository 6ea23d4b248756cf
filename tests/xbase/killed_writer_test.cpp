// A program killed at any moment while it appends, edits and deletes leaves
// a table that opens, an index that matches it, and every change it had
// finished. The change in flight is done or not; the kernel stops a write
// between pages for a fatal signal, so a record across a page boundary may
// also be new up to the boundary and old after it (the catalogue's journal
// puts such a record back).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::OpenMode;
using xbase::Table;

// What a reader sees of an ALBUMS record, for the fields the changes touch.
struct Row {
    bool deleted = false;
    std::string album, artist, notes;
    bool operator==(const Row&) const = default;
};

std::string trimmed(std::string s)
{
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

Row rowOf(const Table& t, std::uint32_t recno)
{
    const std::uint8_t* rec = t.record(recno);
    std::string notes;
    try {
        notes = t.memoText(rec, t.fieldIndex("NOTES"));
    } catch (const xbase::XbaseError& e) {
        notes = std::string("unreadable: ") + e.what();  // a memo pointer torn in two
    }
    return {t.isDeleted(recno), trimmed(t.fieldText(rec, t.fieldIndex("ALBUM"))),
            trimmed(t.fieldText(rec, t.fieldIndex("ARTIST"))), notes};
}

// Whether `row` of record `recno` is the new row written only up to the page
// boundary inside the record, if the record has one.
bool tornAtPage(const Table& t, std::uint32_t recno, const Row& row, const Row& before, const Row& after)
{
    constexpr std::uint64_t kPage = 4096;
    const std::uint64_t start = t.headerLength() + std::uint64_t(recno - 1) * t.recordLength();
    const std::uint64_t boundary = (start / kPage + 1) * kPage - start;
    if (boundary >= t.recordLength())
        return false;
    // A field wholly before the boundary is new, one wholly after it is old.
    auto side = [&](const char* name, const std::string& got, const std::string& old, const std::string& fresh) {
        const xbase::Field& f = t.fields()[t.fieldIndex(name)];
        if (f.offset + f.length <= boundary)
            return got == fresh;
        return f.offset >= boundary ? got == old : true;
    };
    return row.deleted == after.deleted && side("ALBUM", row.album, before.album, after.album)
        && side("ARTIST", row.artist, before.artist, after.artist) && side("NOTES", row.notes, before.notes, after.notes);
}

// Change k of an endless, repeatable run: an append, an edit with new notes
// (of varying length), a deletion. Applies it to `rows` (the model) and
// returns the record it changes.
std::uint32_t plan(std::vector<Row>& rows, std::uint32_t k)
{
    const std::uint32_t count = static_cast<std::uint32_t>(rows.size());
    switch (k % 3) {
    case 0:
        rows.push_back({false, "Added " + std::to_string(k), "Artist " + std::to_string(k * 37 % 101),
                        std::string(k % 7 * 40 + 1, char('a' + k % 26))});
        return count + 1;
    case 1: {
        Row& row = rows[k * 7 % count];
        row.album = "Edited " + std::to_string(k);
        row.notes = std::string(k * 13 % 300 + 1, char('A' + k % 26));
        return k * 7 % count + 1;
    }
    default:
        rows[k * 5 % count].deleted = true;
        return k * 5 % count + 1;
    }
}

void apply(Table& t, const std::vector<Row>& rows, std::uint32_t recno)
{
    const Row& row = rows[recno - 1];
    const bool appending = recno > t.recordCount();
    std::vector<std::uint8_t> rec =
        appending ? t.blankRecord() : std::vector<std::uint8_t>(t.record(recno), t.record(recno) + t.recordLength());
    rec[0] = row.deleted ? '*' : ' ';
    t.setFieldText(rec.data(), t.fieldIndex("ALBUM"), row.album);
    t.setFieldText(rec.data(), t.fieldIndex("ARTIST"), row.artist);
    t.setFieldText(rec.data(), t.fieldIndex("NOTES"), row.notes);
    if (appending)
        t.append(rec.data());
    else
        t.write(recno, rec.data());
}

// Writes the planned changes one after another, reporting each finished one
// on `report`, until killed.
[[noreturn]] void writeUntilKilled(const std::string& path, std::vector<Row> rows, int report)
{
    try {
        auto t = Table::open(path, OpenMode::Exclusive);
        for (std::uint32_t k = 0;; ++k) {
            apply(*t, rows, plan(rows, k));
            if (::write(report, &k, sizeof k) != sizeof k)
                ::_exit(2);
        }
    } catch (...) {
        ::_exit(1);
    }
}

TEST(KilledWriter, EveryFinishedChangeSurvivesWithASoundIndex)
{
    constexpr int kRuns = 48;
    for (int run = 0; run < kRuns; ++run) {
        test_support::TempDir dir;
        test_support::copyFixtureSet("xbase/small", dir.path());
        const std::string path = dir.file("ALBUMS.DBF");
        std::vector<Row> start;
        {
            auto t = Table::open(path, OpenMode::Exclusive);
            for (std::uint32_t r = 1; r <= t->recordCount(); ++r)
                start.push_back(rowOf(*t, r));
        }
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe[0]);
            writeUntilKilled(path, start, pipe[1]);
        }
        ::close(pipe[1]);
        // From before the table is open to some hundred changes in.
        std::this_thread::sleep_for(std::chrono::microseconds(run * 7919 % 40000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        std::uint32_t finished = 0;
        for (std::uint32_t k; ::read(pipe[0], &k, sizeof k) == sizeof k;)
            finished = k + 1;
        ::close(pipe[0]);

        // Changes 0 .. finished-1 are done; the next one may be done or not.
        std::vector<Row> done = start;
        for (std::uint32_t k = 0; k < finished; ++k)
            plan(done, k);
        std::vector<Row> next = done;
        const std::uint32_t inFlight = plan(next, finished);
        const std::string context = "run " + std::to_string(run) + ", " + std::to_string(finished) + " changes";
        auto t = Table::open(path, OpenMode::Exclusive);
        ASSERT_TRUE(t->index()) << context;
        EXPECT_EQ(xbase::CdxChecker::check(*t->index()), std::vector<std::string>{}) << context;
        ASSERT_TRUE(t->recordCount() == done.size() || t->recordCount() == next.size()) << context;
        for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
            const Row row = rowOf(*t, r);
            if (r > done.size() || row != done[r - 1]) {
                EXPECT_TRUE(r == inFlight
                            && (row == next[r - 1] || (r <= done.size() && tornAtPage(*t, r, row, done[r - 1], next[r - 1]))))
                    << context << ", record " << r;
            }
        }
        if (HasFailure())
            return;
    }
}

}  // namespace
