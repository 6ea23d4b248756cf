// The tip-of-the-day window over a real tips file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/ui/tips_form.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

class TipForm : public testing::Test {
protected:
    app::TipsFile tips(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        return *app::TipsFile::load(path);
    }
    template <class T>
    T* child(QWidget& form, const char* name)
    {
        T* found = form.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test_support::TempDir dir;
    std::string path = dir.file("Vinoratips.txt");
    test_support::ScriptedPrompter prompter;
};

TEST_F(TipForm, ShowsTheTipOnLineTwoAndTheCheckBoxFromLineOne)
{
    app::ui::TTipForm form(tips("True\r\nFirst tip\r\nSecond tip\r\n"), prompter);
    EXPECT_EQ(form.windowTitle(), "Tip of the Day");
    EXPECT_EQ(child<QLabel>(form, "HeadingLabel")->text(), "Did you know...");
    EXPECT_EQ(child<QLabel>(form, "TipLabel")->text(), "First tip");
    EXPECT_TRUE(child<QCheckBox>(form, "ShowTipsCheck")->isChecked());

    app::ui::TTipForm quiet(tips("False\r\nM\xf6tley tip\r\n"), prompter);
    EXPECT_FALSE(child<QCheckBox>(quiet, "ShowTipsCheck")->isChecked());
    EXPECT_EQ(child<QLabel>(quiet, "TipLabel")->text(), QString::fromUtf8("M\xc3\xb6tley tip"));
}

TEST_F(TipForm, NextTipThenOkSavesTheCheckBoxAndMovesOn)
{
    app::ui::TTipForm form(tips("True\r\nOne\r\nTwo\r\nThree\r\n"), prompter);
    child<QPushButton>(form, "NextTipButton")->click();
    EXPECT_EQ(child<QLabel>(form, "TipLabel")->text(), "Two");
    child<QCheckBox>(form, "ShowTipsCheck")->setChecked(false);
    child<QPushButton>(form, "OKButton")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(test_support::readFile(path), "False\r\nThree\r\nOne\r\nTwo\r\n");
}

TEST_F(TipForm, ClosingWithoutOkChangesNothing)
{
    app::ui::TTipForm form(tips("True\r\nOne\r\nTwo\r\n"), prompter);
    child<QPushButton>(form, "NextTipButton")->click();
    form.reject();
    EXPECT_EQ(test_support::readFile(path), "True\r\nOne\r\nTwo\r\n");
}

TEST_F(TipForm, FailedSaveIsShownAndKeepsTheWindowOpen)
{
    app::ui::TTipForm form(tips("True\r\nOne\r\n"), prompter);
    std::filesystem::create_directory(path + ".new");
    form.show();
    child<QPushButton>(form, "OKButton")->click();
    EXPECT_EQ(prompter.texts(test_support::ScriptedPrompter::Kind::Error).size(), 1u);
    EXPECT_TRUE(form.isVisible());
}

}  // namespace
