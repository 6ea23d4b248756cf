#pragma once

#include "common/prompter.h"
#include "lookup/album_form.h"

namespace lookup {

// "Add Other": an album that is not in the drive. The form is reset for it
// and the web import window opens (Prompter::Window::WebImport), which shows
// the form once the album's data is in. The disc identifier of the drive
// stays as it was; nothing is offered to the online database.
void addOtherAlbum(AlbumForm& form, common::Prompter& prompter);

}  // namespace lookup
