#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/notes_additions.h"
#include "editing/track_chooser.h"
#include "platform/desktop_launcher.h"

namespace editing::ui {

class AlbumEditDialog;

// The edit form's notes tools: "Edit Notes" opens the notes editor on the
// form's notes, "Get Cover Image" fetches the front cover of the release
// the notes name, or else opens the cover-art page of the settings.
class NotesTools {
public:
    // For "Get Cover Image": when the album's notes (Windows-1252) name a
    // release whose cover can be fetched, offers it, adds its line to the
    // notes and returns true; false when they name none.
    using ReleaseCover = std::function<bool(std::string& notes, const std::string& album)>;

    // All must outlive this object; `openPage` opens a help page. Registers
    // both tools on `dialog`.
    NotesTools(AlbumEditDialog& dialog, const common::ProgramState& state, common::Prompter& prompter,
               platform::DesktopLauncher& desktop, std::function<void(std::string_view)> openPage,
               ReleaseCover releaseCover = {});

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
    ReleaseCover releaseCover_;
    NotesAdditions additions_;
    TrackChooser chooser_;
};

}  // namespace editing::ui
