#include "lookup/add_other_album.h"

namespace lookup {

void addOtherAlbum(AlbumForm& form, common::Prompter& prompter)
{
    form.resetForNewEntry(EditMode::AddOther);
    prompter.showWindow(common::Prompter::Window::WebImport);
}

}  // namespace lookup
