// Display Album Cover with real files and a real viewer program: who shows
// the picture and what the user is told when nothing can be shown.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>

#include "editing/album_cover.h"
#include "editing/ui/album_cover_display.h"
#include "editing/ui/cover_window.h"
#include "platform/desktop/qt_desktop_launcher.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using editing::ui::CoverWindow;
using test_support::ScriptedPrompter;

class AlbumCoverDisplayTest : public testing::Test {
protected:
    AlbumCoverDisplayTest()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::green);
        EXPECT_TRUE(image.save(QString::fromStdString(picture)));
    }
    std::vector<CoverWindow*> windows() const
    {
        const auto found = parent.findChildren<CoverWindow*>();
        return {found.begin(), found.end()};
    }

    test_support::TempDir dir;
    std::string picture = dir.file("my cover.png");
    ScriptedPrompter prompter;
    settings::ProgramSettings settings;
    platform::QtDesktopLauncher desktop;
    QWidget parent;
    editing::ui::AlbumCoverDisplay display{settings, prompter, desktop, &parent};
};

TEST_F(AlbumCoverDisplayTest, WithoutAUsableViewerOneWindowOfOurOwnShowsEachPicture)
{
    for (const std::string& viewer : {std::string("   "), dir.file("no such viewer")}) {
        settings.viewer = viewer;
        display.show("COVER=" + picture, true);
        ASSERT_EQ(windows().size(), 1u) << viewer;
        EXPECT_TRUE(windows().front()->isVisible()) << viewer;
        windows().front()->close();
    }
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(AlbumCoverDisplayTest, TheViewerProgramGetsThePathAsItsOneArgument)
{
    const std::string viewer = dir.file("cover viewer");
    std::ofstream(viewer) << "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/seen.tmp\"\n"
                          << "mv \"$(dirname \"$0\")/seen.tmp\" \"$(dirname \"$0\")/seen\"\n";
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    settings.viewer = " " + viewer;
    display.show("COVER=" + picture, false);
    for (int i = 0; i < 500 && !std::filesystem::exists(dir.file("seen")); ++i)
        QTest::qWait(10);
    std::stringstream seen;
    seen << std::ifstream(dir.file("seen")).rdbuf();
    EXPECT_EQ(seen.str(), picture);
    EXPECT_TRUE(windows().empty());
}

TEST_F(AlbumCoverDisplayTest, WhatCannotBeShownIsToldOnlyWhenTheUserAsked)
{
    const std::string text = dir.file("cover.jpg");
    std::ofstream(text) << "not a picture";
    const struct {
        std::string notes, viewer, message;
    } cases[] = {
        {"COVER=" + text, "", text + "\r" + std::string(editing::kNotAPictureEnd)},
        {"COVER=" + picture, text, std::string(editing::kViewerNotStartedText) + text},
        {"", "", std::string(editing::kNoCoverText)},
    };
    for (const auto& c : cases) {
        settings.viewer = c.viewer;
        display.show(c.notes, false);
        EXPECT_TRUE(prompter.requests().empty()) << c.notes;
        display.show(c.notes, true);
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error), std::vector<std::string>{c.message});
        prompter = ScriptedPrompter();
    }
    for (CoverWindow* window : windows())
        EXPECT_FALSE(window->isVisible());
}

}  // namespace
