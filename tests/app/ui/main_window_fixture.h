#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QString>

#include "app/ui/main_window.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/ui/cursor_grid.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace test_support {

// A main window over a catalogue in a temporary program directory, as the
// program builds them, with a scripted user.
class MainWindowFixture : public testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // A reference collection ("xbase/small"), with settings and a tips file
    // that does not show at start.
    void useCollection(const std::string& set);
    void useSmallCollection() { useCollection("xbase/small"); }
    // Makes the window and the catalogue, as the program does.
    void create();
    // Shows the window (made now if needed) and waits until the start-up
    // sequence has ended.
    void start();

    template <class T>
    T* child(const char* name) const
    {
        T* found = mainWindow->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    common::ui::CursorGrid* albumsGrid() const { return child<common::ui::CursorGrid>("AlbumsGrid"); }
    common::ui::CursorGrid* tracksGrid() const { return child<common::ui::CursorGrid>("TracksGrid"); }
    QAbstractItemModel* albums() const { return albumsGrid()->model(); }
    QAbstractItemModel* tracks() const { return tracksGrid()->model(); }
    xbase::Cursor& albumCursor() const { return catalogue->albums().cursor(); }
    QString cell(const QAbstractItemModel* model, int row, int column) const;
    // The text in the albums grid's current row.
    QString currentArtist() const;

    void clickTitle(int column);
    void clickRow(common::ui::CursorGrid* grid, int row);
    void clickButton(const char* name);
    std::string settingsText() const;

    TempDir dir;
    common::ProgramState state;
    ScriptedPrompter prompter;
    std::unique_ptr<app::ui::MainWindow> mainWindow;
    std::unique_ptr<catalogue::Catalogue> catalogue;
};

}  // namespace test_support
