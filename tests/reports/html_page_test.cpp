#include "reports/html_page.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "reports/report_fixture.h"
#include "support/fixture_files.h"

namespace reports_test {
namespace {

using reports::HtmlPage;
using reports::SortOrder;

TEST_F(ReportFixture, HtmlPagesOfFourAlbumsInBandsAndInRecordOrder)
{
    dropFourthAlbumsTracks();
    for (const auto& [order, expected] : {std::pair{SortOrder::Artist, "artist-order.html"},
                                          std::pair{SortOrder::Natural, "natural-order.html"}}) {
        SelectionSettings settings;
        settings.albumsFilter = kFourAlbums;
        settings.includeTracks = true;
        settings.order = order;
        select(settings);
        CancelAfter never(SIZE_MAX);
        ASSERT_TRUE(HtmlPage::write(selection_, file("Vinora.html"), never));
        EXPECT_EQ(test_support::readFile(file("Vinora.html")),
                  test_support::readFile(test_support::fixturePath(std::string("reports/") + expected)))
            << expected;
    }
}

// Tidy reads the page in the encoding it declares; warnings (the page keeps
// its old attributes) are fine, errors are not.
TEST_F(ReportFixture, HtmlPagesPassTidy)
{
    const auto errors = [](const std::string& page) {
        std::istringstream report(
            test_support::runCapture("tidy -errors -q -win1252 " + page + " 2>&1; echo status $?"));
        std::string errors;
        for (std::string line; std::getline(report, line);)
            if (line.find("Error:") != std::string::npos || line == "status 2")
                errors += line + "\n";
        return errors;
    };
    EXPECT_EQ(errors(test_support::fixturePath("reports/artist-order.html")), "");
    EXPECT_EQ(errors(test_support::fixturePath("reports/natural-order.html")), "");

    SelectionSettings whole;
    whole.title = "Mine & <yours>";
    whole.order = SortOrder::Album;
    select(whole);
    CancelAfter never(SIZE_MAX);
    ASSERT_TRUE(HtmlPage::write(selection_, file("Vinora.html"), never));
    EXPECT_EQ(errors(file("Vinora.html")), "");
}

TEST_F(ReportFixture, CancelledHtmlPageLeavesNoFile)
{
    select(SelectionSettings{});
    CancelAfter afterTenAlbums(10);
    EXPECT_FALSE(HtmlPage::write(selection_, file("Vinora.html"), afterTenAlbums));
    EXPECT_FALSE(std::filesystem::exists(file("Vinora.html")));
}

TEST(HtmlPageOrders, OnlyArtistAlbumAndRecordOrder)
{
    EXPECT_TRUE(HtmlPage::allowed(SortOrder::Artist));
    EXPECT_TRUE(HtmlPage::allowed(SortOrder::Album));
    EXPECT_TRUE(HtmlPage::allowed(SortOrder::Natural));
    EXPECT_FALSE(HtmlPage::allowed(SortOrder::Label));
    EXPECT_FALSE(HtmlPage::allowed(SortOrder::Genre));
}

}  // namespace
}  // namespace reports_test
