// Opening modes are enforced between processes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "support/temp_dir.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::OpenMode;
using xbase::Table;

// Runs a child process that opens the table in `mode` and holds it until
// told to stop; the parent runs `check` meanwhile.
void withOtherProcessHolding(const std::string& path, OpenMode mode, const std::function<void()>& check)
{
    int ready[2], stop[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(stop), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        char c = 0;
        try {
            auto t = Table::open(path, mode);
            c = 1;
            (void)!write(ready[1], &c, 1);
            (void)!read(stop[0], &c, 1);
        } catch (...) {
            (void)!write(ready[1], &c, 1);
        }
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 1) << "the other process could not open the table";
    check();
    (void)!write(stop[1], &c, 1);
    int status = 0;
    waitpid(pid, &status, 0);
    for (int fd : {ready[0], ready[1], stop[0], stop[1]})
        close(fd);
}

class ProcessLocks : public testing::Test {
protected:
    void SetUp() override { Table::create(path, xbase::parseCreationList("ID,Char,8;NR,Char,3;")); }
    test_support::TempDir dir;
    std::string path = dir.file("PLAYLIST.DBF");
};

TEST_F(ProcessLocks, ExclusiveRefusedWhileAnotherProcessHasItOpen)
{
    withOtherProcessHolding(path, OpenMode::Shared, [&] {
        try {
            Table::open(path, OpenMode::Exclusive);
            ADD_FAILURE() << "exclusive open succeeded";
        } catch (const xbase::XbaseError& e) {
            EXPECT_NE(std::string(e.what()).find("in use by another program"), std::string::npos);
        }
        EXPECT_NO_THROW(Table::open(path, OpenMode::Shared));  // shared opens coexist
    });
    EXPECT_NO_THROW(Table::open(path, OpenMode::Exclusive));  // free again once it is closed
}

TEST_F(ProcessLocks, SharedRefusedWhileAnotherProcessHoldsItExclusively)
{
    withOtherProcessHolding(path, OpenMode::Exclusive, [&] {
        EXPECT_THROW(Table::open(path, OpenMode::Shared), xbase::XbaseError);
        EXPECT_THROW(Table::create(path, xbase::parseCreationList("ID,Char,8;")), xbase::XbaseError);
    });
}

// A marked index may be one another program is changing right now: only a
// program that has the table to itself rebuilds it.
TEST_F(ProcessLocks, MarkedIndexIsRebuiltOnlyByAProgramAlone)
{
    Table::open(path, OpenMode::Exclusive)->createIndex().createTag("ID", "ID");
    const auto mark = [&] {
        std::fstream cdx(dir.file("PLAYLIST.CDX"), std::ios::in | std::ios::out | std::ios::binary);
        cdx.seekp(24);
        cdx.write("UPDT", 4);
    };
    withOtherProcessHolding(path, OpenMode::Shared, [&] {
        mark();
        try {
            Table::open(path, OpenMode::Shared);
            ADD_FAILURE() << "opened through a marked index";
        } catch (const xbase::XbaseError& e) {
            EXPECT_NE(std::string(e.what()).find("PLAYLIST.CDX: the index was left half-updated"), std::string::npos)
                << e.what();
        }
    });
    auto t = Table::open(path, OpenMode::Shared);
    EXPECT_FALSE(t->index()->marked());
    EXPECT_EQ(xbase::CdxChecker::check(*t->index()), std::vector<std::string>{});
}

}  // namespace
