#include "editing/ui/notes_tools.h"

#include "common/ansi_text.h"
#include "editing/ui/album_edit_dialog.h"
#include "editing/ui/notes_dialog.h"
#include "editing/ui/track_chooser_dialog.h"

namespace editing::ui {

NotesTools::NotesTools(AlbumEditDialog& dialog, const common::ProgramState& state, common::Prompter& prompter,
                       platform::DesktopLauncher& desktop, std::function<void(std::string_view)> openPage,
                       ReleaseCover releaseCover)
    : dialog_(dialog),
      state_(state),
      prompter_(prompter),
      desktop_(desktop),
      openPage_(std::move(openPage)),
      releaseCover_(std::move(releaseCover)),
      additions_(prompter),
      chooser_(prompter)
{
    dialog_.setTool(AlbumEditDialog::Tool::Notes, [this] { editNotes(); });
    dialog_.setTool(AlbumEditDialog::Tool::CoverArt, [this] { openCoverPage(); });
}

// The notes go back into the form only on OK; the form writes them to the
// album on its own OK.
void NotesTools::editNotes()
{
    QWidget* over = &dialog_;
    NotesDialog::Services services{[this, &over] {
                                       TrackChooserDialog trackChooser(chooser_, openPage_, over);
                                       return trackChooser.choose(dialog_.contents().tracks);
                                   },
                                   openPage_};
    NotesDialog notes(additions_, prompter_, std::move(services), &dialog_);
    over = &notes;
    const std::optional<std::string> edited = notes.edit(dialog_.contents().notes);
    if (!edited)
        return;
    AlbumFormData data = dialog_.contents();
    data.notes = *edited;
    dialog_.load(data);
}

void NotesTools::openCoverPage()
{
    const AlbumFormData data = dialog_.contents();
    std::string notes = data.notes;
    if (releaseCover_ && releaseCover_(notes, data.album)) {
        dialog_.setNotes(notes);
        return;
    }
    dialog_.showCoverTip();
    const QString address = common::fromAnsi(state_.settings.coversUrl);
    if (!desktop_.openAddress(address))
        prompter_.error("The page could not be opened:\r" + state_.settings.coversUrl);
}

}  // namespace editing::ui
