#pragma once

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/album_form_data.h"
#include "editing/album_saver.h"

namespace editing {

// The edit form's OK and close steps, apart from its window.
class AlbumEditFlow {
public:
    AlbumEditFlow(catalogue::Catalogue& catalogue, common::ProgramState& state, common::Prompter& prompter)
        : catalogue_(catalogue), state_(state), prompter_(prompter)
    {
    }

    // OK with the form holding `data`, in order: artist, title and genre
    // must not be blank (kRequiredText); a multi-artist album whose first
    // title lacks " / " asks kFormatQuestion unless its data came from an
    // All Music Guide page; in Modify currentAlbumId becomes the album's
    // ID; the album is saved (AlbumSaver); the saved genre joins the genre
    // list (sorted, case ignored) when new, and when it differs from the
    // default genre it is written to the settings file and becomes the
    // default. Returns whether the album was saved; when not, the user has
    // been told why and the form stays open with its entries.
    bool ok(const AlbumFormData& data);

    // After OK or Cancel: the running time back to 0, currentAlbumTracks opened if
    // closed, and currentAlbumTracks, allTracks and playlist moved to the first row
    // of the current album (each stays where it was when it has none).
    // Throws xbase::XbaseError.
    void close();

private:
    void report(const SaveResult& result);
    void keepGenre(const std::string& genre);

    catalogue::Catalogue& catalogue_;
    common::ProgramState& state_;
    common::Prompter& prompter_;
};

}  // namespace editing
