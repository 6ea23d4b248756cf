#include <filesystem>
#include <string>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace reports_test {
namespace {

// Pixels of `image` that have exactly the colour `rgb`.
int pixelsOf(const QImage& image, QRgb rgb)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF) ? 1 : 0;
    return count;
}

// A browser shows our page as a table: the title in its colour, the table's
// background and the first band colour over whole rows.
TEST(HtmlRendering, BrowserShowsTheBandedTable)
{
    const test_support::TempDir dir;
    const std::string shot = dir.file("page.png");
    const std::string page = std::filesystem::absolute(test_support::fixturePath("reports/artist-order.html"));
    int status = 0;
    const std::string output = test_support::runCapture(
        "timeout 90 chromium --headless --no-sandbox --disable-gpu --user-data-dir=" + dir.file("profile") +
            " --window-size=800,600 --screenshot=" + shot + " file://" + page + " 2>&1",
        &status);
    if (status != 0 || !std::filesystem::exists(shot))
        GTEST_SKIP() << "no headless browser could be started: " << output;

    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(pixelsOf(image, 0x3333FF), 50) << "title";
    EXPECT_GT(pixelsOf(image, 0xE9C2A6), 2000) << "table background";
    EXPECT_GT(pixelsOf(image, 0xFFF09E), 20000) << "first band";
}

}  // namespace
}  // namespace reports_test
