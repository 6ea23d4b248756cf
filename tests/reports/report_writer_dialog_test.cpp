// The report writer offscreen on a copy of the medium collection: outputs
// through its buttons, the field dialog on the way, and what stops them.
#include <filesystem>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QStatusBar>

#include "platform/desktop_launcher.h"
#include "reports/field_choice.h"
#include "reports/html_page.h"
#include "reports/ui/report_writer_dialog.h"
#include "search/ui/history_box.h"
#include "support/fixture_files.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using test_support::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

class RecordingDesktop : public platform::DesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        opened << address;
        return opens;
    }
    bool startProgram(const QString&, const QString&) override { return false; }
    QStringList opened;
    bool opens = true;
};

class ReportWriterDialogTest : public ::testing::Test {
protected:
    ReportWriterDialogTest()
    {
        test_support::copyFixtureSet("xbase/medium", dir_.path());
        window_ = std::make_unique<reports::ui::ReportWriterDialog>(
            reports::ui::ReportWriterOutputs::Services{
                dir_.path(), prompter_, desktop_, [this](std::string_view page) { pages_.emplace_back(page); },
                [this](const std::function<void()>& step) {
                    ++detached_;
                    step();
                }},
            "Artist");
        window_->show();
    }

    template <typename T = QAbstractButton>
    T* widget(const char* name) const
    {
        auto* found = window_->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Presses an output button; `inFieldDialog` works the field dialog,
    // which must close.
    void output(const char* button, const std::function<void(QWidget&)>& inFieldDialog)
    {
        test_support::whenModalShown([&](QWidget* modal) {
            EXPECT_EQ(modal->objectName(), "FieldChoiceDialog");
            inFieldDialog(*modal);
            if (modal->isVisible()) {
                ADD_FAILURE() << "the field dialog is still open";
                modal->close();
            }
        });
        widget(button)->click();
    }
    static QStringList entries(QWidget& dialog, const char* list)
    {
        QStringList texts;
        auto* widget = dialog.findChild<QListWidget*>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
    static void press(QWidget& dialog, const char* button) { dialog.findChild<QAbstractButton*>(button)->click(); }
    QString status() const { return widget<QStatusBar>("StatusBar")->currentMessage(); }
    bool written(const std::string& name) const { return std::filesystem::exists(dir_.file(name)); }

    test_support::TempDir dir_;
    ScriptedPrompter prompter_;
    RecordingDesktop desktop_;
    std::vector<std::string> pages_;
    int detached_ = 0;
    std::unique_ptr<reports::ui::ReportWriterDialog> window_;
};

TEST_F(ReportWriterDialogTest, CsvWithTracksWritesTheChosenColumnsAndListsTheFiles)
{
    widget<QCheckBox>("IncludeTracksCheck")->setChecked(true);
    QString statusInDialog;
    output("CsvButton", [&](QWidget& dialog) {
        statusInDialog = status();
        EXPECT_EQ(entries(dialog, "ChosenList"), (QStringList{"ALBUM", "ARTIST", "ID"}));
        dialog.findChild<QListWidget*>("ChosenList")->setCurrentRow(2);
        press(dialog, "UpButton");
        press(dialog, "OKButton");
    });

    EXPECT_EQ(statusInDialog, "Choose the fields you want to see in the output");
    EXPECT_EQ(status().toStdString(), reports::ui::kReportWriterReadyText);
    EXPECT_GE(detached_, 2);  // the selection and the writing
    EXPECT_EQ(prompter_.texts(Kind::Info), std::vector<std::string>{"These files created in directory\r" +
                                                                   dir_.path() + "\r\r\talbums.csv\r\ttracks.csv"});
    EXPECT_TRUE(prompter_.texts(Kind::Error).empty());
    const std::string header = "\"ALBUM\",\"ID\",\"ARTIST\"\r\n";
    EXPECT_EQ(test_support::readFile(dir_.file("albums.csv")).substr(0, header.size()), header);
    EXPECT_FALSE(written("playlist.csv"));
}

TEST_F(ReportWriterDialogTest, FieldDialogRefusesAnEmptyChoiceAndCancelWritesNothing)
{
    output("XmlButton", [&](QWidget& dialog) {
        press(dialog, "ExcludeAllButton");
        EXPECT_TRUE(entries(dialog, "ChosenList").isEmpty());
        press(dialog, "DownButton");
        press(dialog, "OKButton");
        EXPECT_TRUE(dialog.isVisible());
        press(dialog, "CancelButton");
    });

    const std::string noFields(reports::kNoFieldsText);
    EXPECT_EQ(prompter_.texts(Kind::Error), (std::vector<std::string>{noFields, noFields}));
    EXPECT_TRUE(prompter_.texts(Kind::Info).empty());
    EXPECT_FALSE(written("albums.xml"));
}

TEST_F(ReportWriterDialogTest, WhatStopsAnOutputBeforeAnythingIsWritten)
{
    widget<search::ui::HistoryBox>("AlbumsFilterBox")->setText("ARTIST = ");
    widget("CsvButton")->click();  // no field dialog: the filter fails first
    widget<search::ui::HistoryBox>("AlbumsFilterBox")->setText("");
    widget<QRadioButton>("GenreOrder")->setChecked(true);
    widget("WebpageButton")->click();

    EXPECT_EQ(prompter_.texts(Kind::Error),
              (std::vector<std::string>{
                  "Invalid Filter Expression: \rARTIST =\rUnexpected end of expression at position 9",
                  std::string(reports::kHtmlOrderText)}));
    EXPECT_FALSE(written("albums.csv"));
    EXPECT_FALSE(written("Vinora.html"));
    EXPECT_TRUE(desktop_.opened.isEmpty());
    EXPECT_EQ(status().toStdString(), reports::ui::kReportWriterReadyText);
}

// A directory where tracks.csv belongs cannot be replaced.
TEST_F(ReportWriterDialogTest, AFileThatCannotBeWrittenIsToldAndLeavesNothingBehind)
{
    std::filesystem::create_directory(dir_.file("tracks.csv"));
    const auto before = std::distance(std::filesystem::directory_iterator(dir_.path()), {});
    widget<QCheckBox>("IncludeTracksCheck")->setChecked(true);
    output("CsvButton", [&](QWidget& dialog) { press(dialog, "OKButton"); });

    ASSERT_EQ(prompter_.texts(Kind::Error).size(), 1u);
    EXPECT_NE(prompter_.texts(Kind::Error)[0].find("tracks.csv"), std::string::npos);
    EXPECT_TRUE(prompter_.texts(Kind::Info).empty());
    EXPECT_FALSE(written("albums.csv"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), before);
    EXPECT_EQ(status().toStdString(), reports::ui::kReportWriterReadyText);
}

TEST_F(ReportWriterDialogTest, WebpageIsOpenedAndAFailureToOpenItIsTold)
{
    desktop_.opens = false;
    widget("WebpageButton")->click();

    const std::string page = dir_.file("Vinora.html");
    EXPECT_TRUE(written("Vinora.html"));
    EXPECT_EQ(desktop_.opened, QStringList{QString::fromStdString(page)});
    ASSERT_EQ(prompter_.texts(Kind::Error).size(), 1u);
    EXPECT_NE(prompter_.texts(Kind::Error)[0].find(page), std::string::npos);
}

TEST_F(ReportWriterDialogTest, FiltersThatPassedAreKeptInTheSharedHistories)
{
    widget<search::ui::HistoryBox>("TracksFilterBox")->setText(R"(contains(track,"a"))");
    output("CsvButton", [&](QWidget& dialog) { press(dialog, "OKButton"); });
    widget<search::ui::HistoryBox>("TracksFilterBox")->setText("");
    widget("RemoveTracksFilterButton")->click();  // an empty text removes nothing
    window_->close();

    EXPECT_EQ(test_support::readFile(dir_.file("tracks.ini")), "contains(track,\"a\")\r\n");
    EXPECT_TRUE(written("temp.dbf"));
}

}  // namespace
