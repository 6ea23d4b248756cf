#include "album_edit_dialog_fixture.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include "editing/album_form_loader.h"
#include "editing/ui/track_grid.h"
#include "settings/settings_file.h"
#include "support/fixture_files.h"

namespace test_support {

AlbumEditDialogFixture::AlbumEditDialogFixture() { state.programDir = dir.path() + "/"; }

AlbumEditDialogFixture::~AlbumEditDialogFixture()
{
    dialog.reset();
    catalogue.reset();
}

void AlbumEditDialogFixture::openCatalogue(bool smallCollection)
{
    if (smallCollection)
        copyFixtureSet("xbase/small", dir.path());
    settings::SettingsFile file({state.programDir, [] { return std::string(); }});
    file.createIfMissing();
    state.settings = file.read();
    state.genres = state.settings.genres;
    std::sort(state.genres.begin(), state.genres.end());
    state.media = state.settings.media;
    catalogue = std::make_unique<catalogue::Catalogue>(state.programDir);
    catalogue->createMissingFilesAndOpenViews();
    dialog = std::make_unique<editing::ui::AlbumEditDialog>(state, prompter);
    dialog->setCatalogue(catalogue.get());
}

void AlbumEditDialogFixture::openNewAlbum(lookup::EditMode mode, const std::vector<lookup::TrackRow>& tracks)
{
    editing::AlbumFormData data = dialog->contents();
    editing::resetForNewEntry(data, mode, state.settings.genre);
    data.tracks = tracks;
    dialog->load(data);
    dialog->show();
}

void AlbumEditDialogFixture::type(const char* name, const QString& text)
{
    QWidget* widget = child<QWidget>(name);
    ASSERT_NE(widget, nullptr);
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* box = qobject_cast<QComboBox*>(widget))
        edit = box->lineEdit();
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeInto(edit, text);
}

// Key by key, letters beyond ASCII as key events that carry only text.
void AlbumEditDialogFixture::typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void AlbumEditDialogFixture::typeTitle(int row, const QString& text)
{
    auto* grid = child<editing::ui::TrackGrid>("TrackGrid");
    ASSERT_NE(grid, nullptr);
    QTableWidgetItem* cell = grid->item(row, editing::ui::TrackGrid::kTitleColumn);
    grid->scrollToItem(cell);
    grid->setCurrentItem(cell);
    grid->editItem(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->indexFromItem(cell)));
    ASSERT_NE(editor, nullptr) << "no cell editor for row " << row;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    typeInto(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell takes the text once the editor's queued commit has run.
    QCoreApplication::processEvents();
}

void AlbumEditDialogFixture::click(const char* name)
{
    auto* button = child<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    button->click();
}

std::string AlbumEditDialogFixture::settingsText() const { return readFile(dir.file("Vinora.ini")); }

}  // namespace test_support
