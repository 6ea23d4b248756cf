// Where a page reference opens: program directory, shipped data, web site.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/page_locator.h"
#include "support/temp_dir.h"

namespace {

void touch(const std::string& path) { std::ofstream(path) << "<html></html>"; }

class PageLocator : public testing::Test {
protected:
    std::string programDir() const { return program.path() + "/"; }
    std::string dataDir() const { return data.path() + "/"; }

    test_support::TempDir program;
    test_support::TempDir data;
};

TEST_F(PageLocator, ProgramDirectoryComesFirstAndKeepsTheAnchor)
{
    touch(program.file("CDhelp2.html"));
    touch(data.file("CDhelp2.html"));
    const QUrl url = app::pageAddress("CDhelp2.html#notes", programDir(), dataDir());
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile().toStdString(), program.file("CDhelp2.html"));
    EXPECT_EQ(url.fragment(), "notes");
}

TEST_F(PageLocator, ShippedPageWhenTheProgramDirectoryHasNone)
{
    touch(data.file("report.html"));
    const QUrl url = app::pageAddress("report.html#filter", programDir(), dataDir());
    EXPECT_EQ(url.toLocalFile().toStdString(), data.file("report.html"));
    EXPECT_EQ(url.fragment(), "filter");
    const QUrl plain = app::pageAddress("report.html", programDir(), dataDir());
    EXPECT_FALSE(plain.hasFragment());
}

TEST_F(PageLocator, WebSiteWhenNoFileHasThePage)
{
    const QUrl url = app::pageAddress("CDhelp1.html#x", programDir(), "", "https://example.org/help/");
    EXPECT_EQ(url.toString(), "https://example.org/help/CDhelp1.html#x");
    // The anchor does not make a file name: the file "CDhelp1.html#x" is not looked for.
    touch(program.file("CDhelp1.html"));
    EXPECT_TRUE(app::pageAddress("CDhelp1.html#x", programDir(), "").isLocalFile());
}

TEST_F(PageLocator, FileNamesWithBlanksMakeValidAddresses)
{
    test_support::TempDir spaced;
    const std::string dir = spaced.path() + "/my music/";
    std::filesystem::create_directories(dir);
    touch(dir + "CDhelp1.html");
    const QUrl url = app::pageAddress("CDhelp1.html#top", dir, "");
    EXPECT_TRUE(url.isValid());
    EXPECT_EQ(url.toLocalFile().toStdString(), dir + "CDhelp1.html");
    EXPECT_TRUE(url.toString(QUrl::FullyEncoded).contains("my%20music"));
}

}  // namespace
