#pragma once

#include <functional>
#include <string_view>

#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/notes_additions.h"
#include "editing/track_chooser.h"
#include "platform/desktop_launcher.h"

namespace editing::ui {

class AlbumEditDialog;

// The edit form's notes tools: "Edit Notes" opens the notes editor on the
// form's notes, "Get Cover Image" opens the cover-art page of the settings.
class NotesTools {
public:
    // All must outlive this object; `openPage` opens a help page. Registers
    // both tools on `dialog`.
    NotesTools(AlbumEditDialog& dialog, const common::ProgramState& state, common::Prompter& prompter,
               platform::DesktopLauncher& desktop, std::function<void(std::string_view)> openPage);

    // Modify starts the track chooser's preselection over.
    void resetTrackPreselection() { chooser_.resetPreselection(); }

private:
    void editNotes();
    void openCoverPage();

    AlbumEditDialog& dialog_;
    const common::ProgramState& state_;
    common::Prompter& prompter_;
    platform::DesktopLauncher& desktop_;
    std::function<void(std::string_view)> openPage_;
    NotesAdditions additions_;
    TrackChooser chooser_;
};

}  // namespace editing::ui
