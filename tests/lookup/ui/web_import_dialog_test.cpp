// The web import window: the clipboard, the browser and the bar-code fields
// as the user meets them; the reading itself is the WebImport's.
#include "lookup/ui/web_import_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "lookup/web_import.h"
#include "support/album_form_in_memory.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using Kind = test_support::ScriptedPrompter::Kind;

class WebImportDialogTest : public testing::Test {
protected:
    // The window over a form in `mode` with `tracks` rows, shown.
    void open(lookup::EditMode mode, std::size_t tracks = 0)
    {
        form.mode_ = mode;
        form.entry_.tracks.resize(tracks);
        import = std::make_unique<lookup::WebImport>(form, prompter, catalogue, state);
        lookup::ui::WebImportDialog::Services services;
        services.openAddress = [this](const std::string& address) { opened.push_back(address); };
        services.openPage = [this](const std::string& page) { opened.push_back(page); };
        dialog = std::make_unique<lookup::ui::WebImportDialog>(*import, prompter, std::move(services));
        dialog->show();
    }

    template <class T>
    T* child(const char* name) const
    {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { child<QPushButton>(name)->click(); }
    void pressOk() { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }
    QString status() const { return child<QLabel>("statusLine")->text(); }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    common::ProgramState state;
    test_support::ScriptedPrompter prompter;
    test_support::AlbumFormInMemory form;
    std::unique_ptr<lookup::WebImport> import;
    std::unique_ptr<lookup::ui::WebImportDialog> dialog;
    std::vector<std::string> opened;
};

TEST_F(WebImportDialogTest, ASiteButtonClearsTheClipboardSoThatOnlyANewCopyIsRead)
{
    open(lookup::EditMode::AddOther);
    QGuiApplication::clipboard()->setText("Old copy\nof another page\n");
    click("allMusicGuideButton");
    EXPECT_EQ(opened, std::vector<std::string>{state.settings.amgUrl});
    EXPECT_EQ(status().toStdString(), lookup::kGoingToSiteStatus);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());

    pressOk();
    EXPECT_EQ(prompter.texts(Kind::Error), std::vector<std::string>{lookup::kClipboardMessage});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(status().isEmpty());

    QGuiApplication::clipboard()->setText("1. First Song 3:45\n2. Second Song 4:10\n");
    pressOk();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(form.entry_.tracks.size(), 2u);
    EXPECT_EQ(form.entry_.tracks[1].length, " 4:10");
}

TEST_F(WebImportDialogTest, AScanShowsItsCodeAndTheSearchLeavesTheFieldsReadyForTheNext)
{
    open(lookup::EditMode::AddOther);
    auto* scanner = child<QLineEdit>("scannerEdit");
    auto* code = child<QLineEdit>("barCodeEdit");
    QTest::keyClicks(scanner, ".abc.def.C3jXChD2Dxr7ENn2.");
    QTest::keyClick(scanner, Qt::Key_Return);  // as scanners end a code
    EXPECT_EQ(code->text(), "012345678905");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(prompter.requests().empty());
    QGuiApplication::clipboard()->setText("Old copy\nof another page\n");
    click("barCodeSearchButton");
    EXPECT_EQ(opened, std::vector<std::string>{state.settings.upcUrl + "012345678905"});
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(form.source_, 'C');
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_EQ(scanner->selectedText(), scanner->text());
    EXPECT_FALSE(scanner->text().isEmpty());
}

TEST_F(WebImportDialogTest, TheChoicesFollowWhatTheWindowIsFor)
{
    using lookup::EditMode;
    for (const auto& [mode, onlineDatabase, manualEntry] :
         {std::tuple{EditMode::AddFromDrive, false, true}, std::tuple{EditMode::AddOther, true, true},
          std::tuple{EditMode::Modify, true, false}}) {
        open(mode, 4);
        EXPECT_EQ(dialog->windowTitle().toStdString(), import->caption());
        EXPECT_EQ(child<QPushButton>("onlineDatabaseButton")->isEnabled(), onlineDatabase);
        EXPECT_EQ(child<QWidget>("onlineDatabaseInstructions")->isVisible(), onlineDatabase);
        EXPECT_EQ(dialog->findChild<QPushButton*>("manualEntryButton") != nullptr, manualEntry);
    }
}

}  // namespace
