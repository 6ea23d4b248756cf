#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QString>

#include "catalogue/catalogue.h"
#include "catalogue_snapshot.h"
#include "common/program_state.h"
#include "editing/album_form_data.h"
#include "editing/ui/album_edit_dialog.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace test_support {

// The album edit dialog over a catalogue in a temporary program directory
// with a settings file, as the program builds them, and a scripted user.
class AlbumEditDialogFixture : public testing::Test {
protected:
    AlbumEditDialogFixture();
    ~AlbumEditDialogFixture() override;

    // An empty catalogue, or a copy of the small reference collection.
    void openCatalogue(bool smallCollection);
    // A new album in `mode` as an opener prepares it: reset, then the rows.
    void openNewAlbum(lookup::EditMode mode, const std::vector<lookup::TrackRow>& tracks = {});

    template <class T>
    T* child(const char* name) const
    {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Replaces the text of an edit (or an editable combo box) by typing.
    void type(const char* name, const QString& text);
    // Types `text` over the title cell of track row `row` (0 for track 1)
    // through the grid's cell editor.
    void typeTitle(int row, const QString& text);
    void click(const char* name);
    static void typeInto(QWidget* widget, const QString& text);

    std::vector<Row> rowsOf(const std::string& file, const std::string& id) const
    {
        return liveRows(dir.path(), file, id);
    }
    std::string settingsText() const;

    TempDir dir;
    common::ProgramState state;
    ScriptedPrompter prompter;
    std::unique_ptr<catalogue::Catalogue> catalogue;
    std::unique_ptr<editing::ui::AlbumEditDialog> dialog;
};

}  // namespace test_support
