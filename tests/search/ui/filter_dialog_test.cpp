// The filter window and the filter entries of the main window, offscreen:
// the window is driven through its controls, messages through the scripted
// prompter.
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QAbstractButton>
#include <QMenu>
#include <QStatusBar>

#include "app/ui/main_window_fixture.h"
#include "search/ui/filter_commands.h"
#include "support/fixture_files.h"
#include "support/modal_dialog.h"

namespace {

using test_support::ScriptedPrompter;

constexpr int kAlbumsInCollection = 14;

class FilterDialog : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        create();
        commands = std::make_unique<search::ui::FilterCommands>(
            *mainWindow, *catalogue, prompter, state, [this](const std::string& text) { mainWindow->setStatusText(text); });
        mainWindow->useFilters(*commands);
        ASSERT_NO_FATAL_FAILURE(start());
        addAlbum("Miles Davis", "Kind of Blue");
        addAlbum("John Coltrane", "A Love Supreme");
        mainWindow->refreshGrids();
    }
    void TearDown() override { commands.reset(); }

    void addAlbum(const std::string& artist, const std::string& album)
    {
        xbase::Cursor& c = albumCursor();
        c.append();
        c.setField("Artist", artist);
        c.setField("Album", album);
        c.setField("Genre", "jazz");
        c.setField("ID", catalogue->nextManualAlbumId());
        c.post();
    }
    void writeHistory(const std::string& text) const
    {
        std::ofstream(dir.file("albums.ini"), std::ios::binary) << text;
    }
    QAction* entry(const char* name) const { return child<QAction>(name); }
    bool cancelFilterEnabled() const
    {
        emit child<QMenu>("MainPopupMenu")->aboutToShow();
        return entry("CancelFilterItem")->isEnabled();
    }
    QString status() const { return child<QStatusBar>("StatusBar")->currentMessage(); }
    std::string history() const { return test_support::readFile(dir.file("albums.ini")); }
    std::vector<std::string> errors() const { return prompter.texts(ScriptedPrompter::Kind::Error); }

    // "Set Filter ..." from the popup menu; `inWindow` works the window's
    // controls and must close it.
    void setFilter(const std::function<void(QDialog&, QComboBox&)>& inWindow)
    {
        // The focus elsewhere: closing the window brings it back.
        tracksGrid()->setFocus();
        test_support::whenModalShown([&](QWidget* modal) {
            auto* window = qobject_cast<QDialog*>(modal);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->objectName(), "FilterDialog");
            auto* box = window->findChild<QComboBox*>("ExpressionBox");
            ASSERT_NE(box, nullptr);
            inWindow(*window, *box);
            if (window->isVisible())
                window->reject();
        });
        entry("SetFilterItem")->trigger();
    }
    static void click(QDialog& window, const char* button)
    {
        auto* found = window.findChild<QAbstractButton*>(button);
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }
    static void typeAndOk(QDialog& window, QComboBox& box, const QString& text)
    {
        box.setEditText(text);
        test_support::press(window, QDialogButtonBox::Ok);
    }

    std::unique_ptr<search::ui::FilterCommands> commands;
};

TEST_F(FilterDialog, JazzIsProposedForAJazzAlbumAndFiltersTheGrid)
{
    ASSERT_TRUE(albumCursor().seekNearest("MILES"));
    mainWindow->refreshGrids();
    EXPECT_FALSE(cancelFilterEnabled());
    QString proposed;
    setFilter([&](QDialog& window, QComboBox& box) {
        EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
        proposed = box.currentText();
        test_support::press(window, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(proposed, "genre=\"jazz\"");
    EXPECT_EQ(albums()->rowCount(), 2);
    EXPECT_EQ(currentArtist(), "John Coltrane");
    EXPECT_EQ(cell(albums(), 1, 0), "Miles Davis");
    EXPECT_EQ(status(), "Filtering ON: genre=\"jazz\"");
    EXPECT_EQ(history(), "genre=\"jazz\"\r\n");
    EXPECT_TRUE(cancelFilterEnabled());
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(mainWindow->focusWidget(), albumsGrid());

    // The order and the keyboard jump see only the passing albums.
    clickTitle(1);
    EXPECT_EQ(currentArtist(), "John Coltrane") << "A Love Supreme comes before Kind of Blue";
    EXPECT_EQ(albums()->rowCount(), 2);
}

TEST_F(FilterDialog, SameExpressionInOtherLettersIsNotAddedTwice)
{
    writeHistory("genre=\"jazz\"\r\ngenre=\"pop\"\r\n");
    int entries = 0;
    setFilter([&](QDialog& window, QComboBox& box) {
        entries = box.count();
        typeAndOk(window, box, "GENRE=\"jazz\"");
    });
    EXPECT_EQ(entries, 2);
    EXPECT_EQ(albums()->rowCount(), 2);
    EXPECT_EQ(status(), "Filtering ON: GENRE=\"jazz\"");
    EXPECT_EQ(history(), "genre=\"jazz\"\r\ngenre=\"pop\"\r\n");
}

TEST_F(FilterDialog, ShortExpressionClosesTheWindowWithoutEffect)
{
    bool closed = false;
    setFilter([&](QDialog& window, QComboBox& box) {
        typeAndOk(window, box, " ab ");
        closed = !window.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(albums()->rowCount(), kAlbumsInCollection + 2);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("albums.ini")));
    EXPECT_TRUE(errors().empty());
    EXPECT_FALSE(cancelFilterEnabled());
}

TEST_F(FilterDialog, InvalidAndHitlessExpressionsAreReported)
{
    setFilter([&](QDialog& window, QComboBox& box) { typeAndOk(window, box, "genre=\"pop\""); });
    ASSERT_EQ(albums()->rowCount(), 4);
    // An invalid text keeps the window open with the text, to be corrected.
    setFilter([&](QDialog& window, QComboBox& box) {
        typeAndOk(window, box, "genre = 'rock");
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(box.currentText(), "genre = 'rock");
        EXPECT_EQ(albums()->rowCount(), 4) << "the earlier filter stays";
        typeAndOk(window, box, "genre=\"polka\"");
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(errors(), (std::vector<std::string>{"Invalid Filter Expression: \rgenre = 'rock\r"
                                                  "Missing closing quote for the string at position 9",
                                                  "Sorry, no records pass filter: \rgenre=\"polka\""}));
    EXPECT_EQ(albums()->rowCount(), kAlbumsInCollection + 2);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(cancelFilterEnabled());
    EXPECT_EQ(history(), "genre=\"pop\"\r\n");
}

TEST_F(FilterDialog, RemoveFromHistoryRewritesTheFileAtOnce)
{
    writeHistory("genre=\"pop\"\r\nyr=\"1976\"\r\ngenre=\"rock\"\r\n");
    std::string whileOpen;
    setFilter([&](QDialog& window, QComboBox& box) {
        box.setEditText("YR=\"1976\"");
        click(window, "RemoveFromHistoryButton");
        whileOpen = history();
        EXPECT_EQ(box.currentText(), "");
        EXPECT_EQ(box.count(), 2);
        // A text that is no entry removes nothing.
        box.setEditText("genre=\"jazz\"");
        click(window, "RemoveFromHistoryButton");
        EXPECT_EQ(box.currentText(), "genre=\"jazz\"");
        click(window, "ClearButton");
        EXPECT_EQ(box.currentText(), "");
        test_support::press(window, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(whileOpen, "genre=\"pop\"\r\ngenre=\"rock\"\r\n");
    EXPECT_EQ(history(), whileOpen);
    EXPECT_EQ(albums()->rowCount(), kAlbumsInCollection + 2);
}

TEST_F(FilterDialog, CancelFilterShowsAllAlbumsAgainAndClearsTheStatus)
{
    setFilter([&](QDialog& window, QComboBox& box) { typeAndOk(window, box, "genre=\"rock\""); });
    ASSERT_EQ(albums()->rowCount(), 4);
    // Cancel in the window leaves the filter in force.
    setFilter([&](QDialog& window, QComboBox& box) {
        box.setEditText("genre=\"pop\"");
        test_support::press(window, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(mainWindow->focusWidget(), albumsGrid());
    EXPECT_EQ(albums()->rowCount(), 4);
    EXPECT_EQ(status(), "Filtering ON: genre=\"rock\"");
    clickRow(albumsGrid(), 2);
    const QString current = currentArtist();

    ASSERT_TRUE(cancelFilterEnabled());
    tracksGrid()->setFocus();
    entry("CancelFilterItem")->trigger();
    EXPECT_EQ(albums()->rowCount(), kAlbumsInCollection + 2);
    EXPECT_EQ(currentArtist(), current);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(cancelFilterEnabled());
    EXPECT_EQ(mainWindow->focusWidget(), albumsGrid());
}

}  // namespace
