// The tip-of-the-day window over a real tips file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/ui/tip_of_the_day_dialog.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

class TipOfTheDayDialog : public testing::Test {
protected:
    std::unique_ptr<app::ui::TipOfTheDayDialog> open(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        return std::make_unique<app::ui::TipOfTheDayDialog>(*app::TipsFile::load(path), prompter);
    }
    static QString tip(QDialog& dialog) { return dialog.findChild<QLabel*>("TipLabel")->text(); }
    static QCheckBox* showAtStartup(QDialog& dialog) { return dialog.findChild<QCheckBox*>("ShowTipsCheck"); }
    static void press(QDialog& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
    static void next(QDialog& dialog) { press(dialog, "NextTipButton"); }
    static void ok(QDialog& dialog) { press(dialog, "OkButton"); }

    test_support::TempDir dir;
    std::string path = dir.file("Vinoratips.txt");
    test_support::ScriptedPrompter prompter;
};

TEST_F(TipOfTheDayDialog, ShowsTheTipOnLineTwoAndTheCheckBoxFromLineOne)
{
    auto dialog = open("True\r\nFirst tip\r\nSecond tip\r\n");
    EXPECT_EQ(tip(*dialog), "First tip");
    EXPECT_TRUE(showAtStartup(*dialog)->isChecked());

    auto quiet = open("False\r\nM\xf6tley tip\r\n");
    EXPECT_FALSE(showAtStartup(*quiet)->isChecked());
    EXPECT_EQ(tip(*quiet), QString::fromUtf8("M\xc3\xb6tley tip"));
}

TEST_F(TipOfTheDayDialog, NextTipThenOkSavesTheCheckBoxAndMovesOn)
{
    auto dialog = open("True\r\nOne\r\nTwo\r\nThree\r\n");
    next(*dialog);
    EXPECT_EQ(tip(*dialog), "Two");
    showAtStartup(*dialog)->setChecked(false);
    ok(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(test_support::readFile(path), "False\r\nThree\r\nOne\r\nTwo\r\n");
}

TEST_F(TipOfTheDayDialog, ClosingWithoutOkChangesNothing)
{
    auto dialog = open("True\r\nOne\r\nTwo\r\n");
    next(*dialog);
    dialog->reject();
    EXPECT_EQ(test_support::readFile(path), "True\r\nOne\r\nTwo\r\n");
}

TEST_F(TipOfTheDayDialog, FailedSaveIsShownAndKeepsTheWindowOpen)
{
    auto dialog = open("True\r\nOne\r\n");
    std::filesystem::create_directory(path + ".new");
    dialog->show();
    ok(*dialog);
    EXPECT_EQ(prompter.texts(test_support::ScriptedPrompter::Kind::Error).size(), 1u);
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
