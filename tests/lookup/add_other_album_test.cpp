// "Add Other" from an empty folder to an album in the grid that is still
// there after a restart: the main window, the web import window and the
// edit form as the program wires them, the user scripted.
#include "lookup/add_other_album.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "editing/ui/album_edit_form.h"
#include "lookup/ui/web_import_dialog.h"
#include "lookup/web_import.h"
#include "app/ui/main_window_fixture.h"
#include "support/modal_dialog.h"

namespace {

using app::ui::Feature;

constexpr int kTitleColumn = 1;  // the tracks grid: "#", then the title

class AddOtherAlbumTest : public test_support::MainWindowFixture {
protected:
    ~AddOtherAlbumTest() override
    {
        form.reset();
        editDialog.reset();
    }

    // A start of the program over the folder: the window, the edit form and
    // "Add Other" as the program registers it.
    void startProgram()
    {
        prompter.answerWindow(false);  // the tip of the day
        ASSERT_NO_FATAL_FAILURE(start());
        editDialog = std::make_unique<editing::ui::AlbumEditDialog>(state, prompter, mainWindow.get());
        editDialog->setCatalogue(catalogue.get());
        form = std::make_unique<editing::ui::AlbumEditForm>(*editDialog, state);
        mainWindow->setFeature(Feature::AddOther, [this] { lookup::addOtherAlbum(*form, prompter); });
    }

    void stopProgram()
    {
        form.reset();
        editDialog.reset();
        mainWindow->setCatalogue(nullptr);
        catalogue->closeCleanly();
        catalogue.reset();
        mainWindow.reset();
        common::ProgramState fresh;
        fresh.programDir = state.programDir;
        fresh.dataDir = state.dataDir;
        state = fresh;
    }

    // What the user does in the web import window: copies `page`, clicks
    // OK, and types the artist over the selected "Various", the album and
    // the genre into the edit form that opens, then clicks its OK.
    void pasteAndSave(const QString& page)
    {
        lookup::WebImport import(*form, prompter, *catalogue, state);
        lookup::ui::WebImportDialog window(import, prompter, {[](const std::string&) {}, [](const std::string&) {}},
                                           mainWindow.get());
        window.show();
        QGuiApplication::clipboard()->setText(page);
        test_support::whenModalShown([this](QWidget* edit) {
            auto* artist = edit->findChild<QLineEdit*>("ArtistEdit");
            ASSERT_NE(artist, nullptr);
            EXPECT_EQ(artist->selectedText(), "Various");
            QTest::keyClicks(artist, "Miles Davis");
            auto* album = edit->findChild<QLineEdit*>("AlbumEdit");
            QTest::keyClicks(album, "Kind of Blue");
            QTest::keyClicks(edit->findChild<QComboBox*>("GenreBox")->lineEdit(), "jazz");
            edit->findChild<QPushButton*>("OKButton")->click();
        });
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }

    std::unique_ptr<editing::ui::AlbumEditDialog> editDialog;
    std::unique_ptr<editing::ui::AlbumEditForm> form;
};

TEST_F(AddOtherAlbumTest, APastedPlainListBecomesAnAlbumInTheGridThatOutlivesARestart)
{
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_EQ(albums()->rowCount(), 0);
    prompter.answerWindow(true, [this] { pasteAndSave("So What\r\nFreddie Freeloader\r\n\r\nBlue in Green\r\n"); });
    clickButton("AddOtherButton");
    EXPECT_EQ(prompter.windowsShown().back(), test_support::ScriptedPrompter::Window::WebImport);
    EXPECT_EQ(prompter.texts(test_support::ScriptedPrompter::Kind::Error), std::vector<std::string>{});

    const auto expectAlbum = [this] {
        ASSERT_EQ(albums()->rowCount(), 1);
        EXPECT_EQ(currentArtist(), "Miles Davis");
        ASSERT_EQ(tracks()->rowCount(), 3);
        EXPECT_EQ(albumCursor().fieldTrimmed("Album"), "Kind of Blue");
        EXPECT_EQ(albumCursor().fieldTrimmed("Sys"), "O");
        EXPECT_EQ(albumCursor().fieldTrimmed("ID"), "z0000001");
        QStringList titles;
        for (int row = 0; row < 3; ++row)
            titles << cell(tracks(), row, kTitleColumn).trimmed();
        EXPECT_EQ(titles, (QStringList{"So What", "Freddie Freeloader", "Blue in Green"}));
    };
    expectAlbum();

    stopProgram();
    ASSERT_NO_FATAL_FAILURE(startProgram());
    expectAlbum();
}

}  // namespace
