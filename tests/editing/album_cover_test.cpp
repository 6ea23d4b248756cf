// Which picture Display Album Cover shows, who shows it, and what it says
// when there is none.
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "editing/album_cover.h"
#include "support/temp_dir.h"

namespace {

using editing::CoverDisplay;
using editing::coverDisplay;
using Action = CoverDisplay::Action;

class AlbumCoverTest : public testing::Test {
protected:
    AlbumCoverTest()
    {
        for (const char* name : {"front.png", "back.png", "viewer", "Caf\u00e9.jpg"})
            std::ofstream(dir.file(name)) << "x";
    }
    test_support::TempDir dir;
};

TEST_F(AlbumCoverTest, TheLastCoverLineNamesThePictureAndAViewerCountsOnlyWhenItExists)
{
    const std::string front = dir.file("front.png");
    const std::string back = dir.file("back.png");
    const std::string viewer = dir.file("viewer");
    const struct {
        std::string notes, viewer;
        Action action;
        std::string image, program;
    } cases[] = {
        {"COVER=" + front + "\r\nCOVER=" + back, "", Action::ShowImage, back, ""},
        {"Notes\r\nCOVER=" + back + "\r\ncover=" + front + "\r\n", "   ", Action::ShowImage, back, ""},
        {"COVER=" + back, "  " + viewer + " ", Action::StartViewer, back, viewer},
        {"COVER=" + back, dir.file("no-viewer"), Action::ShowImage, back, ""},
        {"COVER=" + back, dir.path(), Action::ShowImage, back, ""},
        {"COVER=" + dir.path() + "/Caf\xE9.jpg", "", Action::ShowImage, dir.file("Caf\u00e9.jpg"), ""},
    };
    for (const auto& c : cases) {
        const CoverDisplay display = coverDisplay(c.notes, c.viewer, true);
        EXPECT_EQ(display.action, c.action) << c.notes << " / " << c.viewer;
        EXPECT_EQ(display.image, c.image) << c.notes;
        EXPECT_EQ(display.viewer, c.program) << c.viewer;
        EXPECT_EQ(coverDisplay(c.notes, c.viewer, false).action, c.action) << "quiet calls show pictures too";
    }
}

TEST_F(AlbumCoverTest, WithoutAPictureTheButtonSaysWhyAndPlaybackStaysQuiet)
{
    const std::string gone = dir.file("gone.jpg");
    const struct {
        std::string notes, message;
    } cases[] = {
        {"", std::string(editing::kNoCoverText)},
        {"Cover: see booklet\r\n COVER=" + dir.file("front.png"), std::string(editing::kNoCoverText)},
        {"COVER=" + dir.file("front.png") + "\r\nCOVER=" + gone, gone + "\rNo longer exists"},
        {"COVER=" + dir.path(), dir.path() + "\rNo longer exists"},
    };
    for (const auto& c : cases) {
        const CoverDisplay told = coverDisplay(c.notes, "", true);
        EXPECT_EQ(told.action, Action::Tell) << c.notes;
        EXPECT_EQ(told.message, c.message);
        EXPECT_EQ(coverDisplay(c.notes, "", false).action, Action::Nothing) << c.notes;
    }
}

}  // namespace
