#pragma once

#include <QObject>

#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/ui/album_edit_dialog.h"

namespace editing::ui {

// The edit form's title tools, Flip, Mask Maker and Update Tracks only,
// registered on the form that owns this object. A folder the Mask Maker
// moved to is written to the settings file as ClipsDir when the form
// closes.
class TitleTools : public QObject {
    Q_OBJECT
public:
    // `state` and `prompter` must outlive the dialog.
    TitleTools(AlbumEditDialog& dialog, common::ProgramState& state, common::Prompter& prompter);

private:
    void flip();
    void makeMask();
    void writeClipsDir();

    AlbumEditDialog& dialog_;
    common::ProgramState& state_;
    common::Prompter& prompter_;
    bool clipsDirChanged_ = false;
};

}  // namespace editing::ui
