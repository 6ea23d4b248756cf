#pragma once

#include <string>

#include "common/prompter.h"
#include "editing/album_form_data.h"

// The edit form's title tools applied to what the form holds; nothing here
// reaches the catalogue before the form's OK.
namespace editing {

// Flip on every title cell.
void flipTitles(AlbumFormData& form);

// The file dialog of the Mask Maker, starting in `clipsDir` (as stored,
// Windows-1252). Extensions match in any case: a case-sensitive file
// system must not hide "TRACK01.MP3".
common::Prompter::FileChoice audioFilesChoice(const std::string& clipsDir);

struct MaskMade {
    bool picked = false;         // the user chose files
    bool clipsDirMoved = false;  // `clipsDir` became their folder
};

// Mask Maker: the user picks audio files; their mask goes into the label,
// or in front of the notes when longer than the label holds, and
// `clipsDir` follows their folder (exact comparison). Cancelling changes
// nothing.
MaskMade makeMask(common::Prompter& prompter, AlbumFormData& form, std::string& clipsDir);

}  // namespace editing
