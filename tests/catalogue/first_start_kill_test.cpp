// The first start in an empty folder, killed or cut short by a failing disk
// at many points on its way: the next start always succeeds and leaves
// sound tables and indexes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>

#include "catalogue/catalogue_schema.h"
#include "catalogue/catalogue.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace {

using Clock = std::chrono::steady_clock;

// Starts a first start in `dir` in a child process; returns its pid.
pid_t firstStartInChild(const std::string& dir)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
        std::_Exit(0);
    }
    return pid;
}

void expectNextStartSound(const std::string& dir, const std::string& at)
{
    catalogue::Catalogue catalogue(dir);
    ASSERT_NO_THROW(catalogue.createMissingFilesAndOpenViews()) << at;
    for (const auto* def : catalogue::kCatalogueTables) {
        auto table =
            xbase::Table::open(catalogue.programDir() + "/" + std::string(def->fileName), xbase::OpenMode::Shared);
        ASSERT_NE(table->index(), nullptr) << at << " " << def->fileName;
        EXPECT_EQ(xbase::CdxChecker::check(*table->index()), std::vector<std::string>{}) << at;
    }
}

TEST(FirstStartKilled, NextStartAlwaysSucceedsWithSoundIndexes)
{
    std::chrono::microseconds whole{};
    {
        test_support::TempDir dir;
        const auto start = Clock::now();
        const pid_t pid = firstStartInChild(dir.path());
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        whole = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    }
    constexpr int kKills = 30;
    for (int i = 0; i < kKills; ++i) {
        test_support::TempDir dir;
        const pid_t pid = firstStartInChild(dir.path());
        ::usleep(static_cast<useconds_t>(whole.count() * i / kKills));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        expectNextStartSound(dir.path(), "killed after " + std::to_string(whole.count() * i / kKills) + " us");
    }
}

// Writes, truncates and renames of a first start, spread over all of them,
// fail in turn, before they store anything or after their first byte, and
// every later one with them (the disk is full or gone).
TEST(FirstStartCutShort, NextStartAlwaysSucceedsWithSoundIndexes)
{
    std::set<std::uint64_t> budgets;
    {
        test_support::TempDir dir;
        test_support::FaultyFileSystem fs;
        catalogue::Catalogue catalogue(dir.path(), fs);
        catalogue.createMissingFilesAndOpenViews();
        for (std::uint64_t step : fs.steps())
            budgets.insert({step, step + 1});
    }
    // Each failing start costs a whole new one after it: a sample keeps the
    // test quick.
    constexpr std::size_t kSample = 60;
    const std::size_t stride = (budgets.size() + kSample - 1) / kSample;
    std::size_t n = 0;
    for (std::uint64_t budget : budgets) {
        if (n++ % stride != 0)
            continue;
        test_support::TempDir dir;
        {
            test_support::FaultyFileSystem fs;
            fs.failAfter(budget);
            catalogue::Catalogue catalogue(dir.path(), fs);
            try {
                catalogue.createMissingFilesAndOpenViews();
            } catch (const xbase::XbaseError&) {
            }
        }
        expectNextStartSound(dir.path(), "writes failing after " + std::to_string(budget) + " bytes");
    }
}

}  // namespace
