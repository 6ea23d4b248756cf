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

#include <filesystem>

#include "lookup/web_import.h"
#include "platform/net/curl_http_getter.h"
#include "support/album_form_in_memory.h"
#include "support/event_loop_wait.h"
#include "support/musicbrainz_test_server.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using Kind = test_support::ScriptedPrompter::Kind;

class WebImportDialogTest : public testing::Test {
protected:
    // The window over a form in `mode` with `tracks` rows, shown.
    void open(lookup::EditMode mode, std::size_t tracks = 0, lookup::MusicBrainzLookup* musicBrainz = nullptr)
    {
        form.mode_ = mode;
        form.entry_.tracks.resize(tracks);
        import = std::make_unique<lookup::WebImport>(form, prompter, catalogue, state, musicBrainz);
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

TEST_F(WebImportDialogTest, MusicBrainzFillsTheFormFromTheBarCodeWithoutTheClipboard)
{
    test_support::MusicBrainzTestServer server;
    state.settings.musicBrainzUrl = state.settings.coverArtUrl = server.url();
    test_support::EventLoopWait wait;
    platform::CurlHttpGetter http;
    lookup::MusicBrainzRateLimit noRateLimit{std::chrono::milliseconds(0)};
    lookup::MusicBrainzExchangeRunner runner(lookup::musicBrainzServiceFromSettings(state.settings), http, noRateLimit);
    lookup::MusicBrainzLookup musicBrainz(runner, wait, prompter, state.settings, dir.file("covers"), {},
                                          [](const std::string&) {});
    open(lookup::EditMode::AddOther, 0, &musicBrainz);
    QGuiApplication::clipboard()->clear();

    click("musicBrainzButton");
    child<QLineEdit>("barCodeEdit")->setText("0000000000000");
    click("musicBrainzButton");
    EXPECT_EQ(prompter.texts(Kind::Error).size(), 1u) << "nothing typed";
    EXPECT_EQ(prompter.texts(Kind::Info).size(), 1u) << "a code nobody knows";
    EXPECT_TRUE(dialog->isVisible());

    child<QLineEdit>("barCodeEdit")->setText("5012345678900");
    prompter.answerConfirm(true);
    click("musicBrainzButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(form.source_, 'B');
    EXPECT_EQ(form.entry_.album, "Paper Moons");
    EXPECT_EQ(form.entry_.tracks.size(), 3u);
    const std::string cover = dir.file("covers") + "/5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5.jpg";
    EXPECT_EQ(form.entry_.notes, (std::vector<std::string>{
                                     "URL=" + server.url() + "/release/5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5",
                                     "COVER=" + cover}));
    EXPECT_TRUE(std::filesystem::exists(cover));

    // A disc in the drive keeps its rows: titles in order, the user told the counts differ.
    form.entry_ = {};
    open(lookup::EditMode::AddFromDrive, 2, &musicBrainz);
    form.entry_.tracks[1].length = " 1:00";
    child<QLineEdit>("barCodeEdit")->setText("5012345678900");
    prompter.answerConfirm(false);
    click("musicBrainzButton");
    EXPECT_EQ(prompter.texts(Kind::Info).size(), 2u);
    ASSERT_EQ(form.entry_.tracks.size(), 2u);
    EXPECT_EQ(form.entry_.tracks[1].title, "Crease");
    EXPECT_EQ(form.entry_.tracks[1].length, " 1:00");
}

}  // namespace
