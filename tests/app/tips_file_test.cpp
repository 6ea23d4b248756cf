// The tip-of-the-day file: its first line, the turning of the tips, and the
// copy into the program directory on the first run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/tips_file.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

namespace fs = std::filesystem;

class TipsFile : public testing::Test {
protected:
    std::string write(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    app::TipsFile load()
    {
        auto tips = app::TipsFile::load(path);
        EXPECT_TRUE(tips.has_value());
        return std::move(*tips);
    }

    test_support::TempDir dir;
    std::string path = dir.file("Vinoratips.txt");
};

TEST_F(TipsFile, MissingFileLoadsAsNothing) { EXPECT_FALSE(app::TipsFile::load(path).has_value()); }

TEST_F(TipsFile, OnlyAnExactTrueShowsTheTipsAtStart)
{
    write("True\r\nOne\r\n");
    EXPECT_TRUE(load().showAtStartup());
    for (const char* first : {"true\r\n", "TRUE\r\n", "True \r\n", "False\r\n", "1\r\n", ""}) {
        write(std::string(first) + "One\r\n");
        EXPECT_FALSE(load().showAtStartup()) << first;
    }
    // Lines may end with LF alone; the last one needs no end.
    write("True\nOne\nTwo");
    app::TipsFile tips = load();
    EXPECT_TRUE(tips.showAtStartup());
    tips.nextTip();
    EXPECT_EQ(tips.currentTip(), "Two");
}

TEST_F(TipsFile, NextTipTurnsTheListAround)
{
    write("True\r\nOne\r\nTwo\r\nThree\r\n");
    app::TipsFile tips = load();
    EXPECT_EQ(tips.currentTip(), "One");
    tips.nextTip();
    EXPECT_EQ(tips.currentTip(), "Two");
    tips.nextTip();
    tips.nextTip();
    EXPECT_EQ(tips.currentTip(), "One");
}

TEST_F(TipsFile, AcceptWritesTheCheckBoxAndStartsNextTimeAfterTheShownTip)
{
    write("True\r\nOne\r\nTwo\r\nThree\r\n");
    app::TipsFile tips = load();
    tips.nextTip();  // "Two" is shown
    tips.accept(false);
    EXPECT_EQ(test_support::readFile(path), "False\r\nThree\r\nOne\r\nTwo\r\n");
    EXPECT_EQ(load().currentTip(), "Three");
    load().accept(true);
    EXPECT_EQ(test_support::readFile(path), "True\r\nOne\r\nTwo\r\nThree\r\n");
    EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(TipsFile, FilesWithoutTipsStillWork)
{
    write("True\r\n");
    app::TipsFile tips = load();
    EXPECT_EQ(tips.currentTip(), "");
    tips.nextTip();
    tips.accept(false);
    EXPECT_EQ(test_support::readFile(path), "False\r\n");
    write("");
    load().accept(true);
    EXPECT_EQ(test_support::readFile(path), "True\r\n");
}

TEST_F(TipsFile, FailedSaveThrowsAndKeepsTheFile)
{
    write("True\r\nOne\r\n");
    app::TipsFile tips = load();
    // The new file cannot be made where a folder of its name stands.
    fs::create_directory(path + ".new");
    EXPECT_THROW(tips.accept(false), xbase::XbaseError);
    EXPECT_EQ(test_support::readFile(path), "True\r\nOne\r\n");
}

TEST(TipsInstall, FirstRunCopiesTheShippedFileOnce)
{
    test_support::TempDir data;
    test_support::TempDir program;
    std::ofstream(data.file("Vinoratips.txt"), std::ios::binary) << "True\r\nShipped\r\n";
    fs::permissions(data.file("Vinoratips.txt"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_TRUE(app::installTipsFile(data.path() + "/", program.path() + "/"));
    EXPECT_EQ(test_support::readFile(program.file("Vinoratips.txt")), "True\r\nShipped\r\n");
    EXPECT_TRUE((fs::status(program.file("Vinoratips.txt")).permissions() & fs::perms::owner_write) != fs::perms::none)
        << "the copy must take the rewritten first line";

    std::ofstream(program.file("Vinoratips.txt"), std::ios::binary) << "False\r\nMine\r\n";
    EXPECT_FALSE(app::installTipsFile(data.path() + "/", program.path() + "/"));
    EXPECT_EQ(test_support::readFile(program.file("Vinoratips.txt")), "False\r\nMine\r\n");
    EXPECT_FALSE(app::installTipsFile("", program.path() + "/"));
}

TEST(TipsInstall, ShippedTipsFileShowsAtStartWithTips)
{
    auto tips = app::TipsFile::load(std::string(VINORA_DATA_DIR) + "/Vinoratips.txt");
    ASSERT_TRUE(tips.has_value());
    EXPECT_TRUE(tips->showAtStartup());
    EXPECT_FALSE(tips->currentTip().empty());
    const std::string text = test_support::readFile(tips->path());
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1) << "CR LF line ends";
}

}  // namespace
