#include "editing/ui/title_tools.h"

#include "common/action_guard.h"
#include "editing/form_title_tools.h"
#include "settings/settings_file.h"

namespace editing::ui {

TitleTools::TitleTools(AlbumEditDialog& dialog, common::ProgramState& state, common::Prompter& prompter)
    : QObject(&dialog), dialog_(dialog), state_(state), prompter_(prompter)
{
    dialog.setTool(AlbumEditDialog::Tool::Flip, [this] { flip(); });
    dialog.setTool(AlbumEditDialog::Tool::MaskMaker, [this] { makeMask(); });
    // The web import works on the form as its mode says: in Modify, on the
    // titles of the rows the form has.
    dialog.setTool(AlbumEditDialog::Tool::UpdateTracks,
                   [this] { prompter_.showWindow(common::Prompter::Window::WebImport); });
    connect(&dialog, &QDialog::finished, this, &TitleTools::writeClipsDir);
}

void TitleTools::flip()
{
    AlbumFormData form = dialog_.contents();
    flipTitles(form);
    dialog_.load(form);
}

void TitleTools::makeMask()
{
    AlbumFormData form = dialog_.contents();
    const MaskMade made = editing::makeMask(prompter_, form, state_.settings.clipsDir);
    clipsDirChanged_ = clipsDirChanged_ || made.clipsDirMoved;
    if (made.picked)
        dialog_.load(form);
}

void TitleTools::writeClipsDir()
{
    if (!clipsDirChanged_)
        return;
    clipsDirChanged_ = false;
    common::runAction(prompter_, [this] {
        settings::SettingsFile({state_.programDir, {}})
            .writeString(settings::section::kCurrent, settings::key::kClipsDir, state_.settings.clipsDir);
    });
}

}  // namespace editing::ui
