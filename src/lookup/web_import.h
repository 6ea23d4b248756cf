#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/album_form.h"
#include "lookup/musicbrainz_lookup.h"

namespace lookup {

inline const std::string kClipboardMessage = "Webpage has not been copied to Clipboard.\rPlease try again!";
inline const std::string kGoingToSiteStatus =
    "Going to external website, see color-coded instructions above for site chosen";
inline const std::string kProcessingStatus = "Processing data, please stand by ...";

// The web track-list import apart from its window: the user fetches the
// album's page in the browser, copies it, and the text is read into the
// edit form by the reader of the site chosen; or the album is typed in by
// hand. What the window is for follows the edit form's mode: a disc in the
// drive the server did not know, an album not in the drive, or new track
// titles for the album being modified (the form is then already open).
class WebImport {
public:
    enum class Site { OnlineDatabase, AllMusicGuide, Amazon };
    enum class Outcome {
        KeepOpen,  // nothing usable was pasted: the user copies again
        Closed,    // the window closes
        Accepted,  // the window closes, an album was saved (or the titles read)
    };

    // All must outlive this object; without `musicBrainz` bar codes are
    // only searched for on the web. The window opens: source "O",
    // revision "0".
    WebImport(AlbumForm& form, common::Prompter& prompter, catalogue::Catalogue& catalogue,
              common::ProgramState& state, MusicBrainzLookup* musicBrainz = nullptr);

    EditMode mode() const { return mode_; }
    // The window's caption; with the number of tracks for a disc in the
    // drive and when updating the titles.
    std::string caption() const;
    // The online database's entry is no choice for a disc the server did
    // not know.
    bool offersOnlineDatabase() const { return mode_ != EditMode::AddFromDrive; }
    // Whether the album may be typed in by hand (not when updating titles).
    bool offersManualEntry() const { return mode_ != EditMode::Modify; }

    // A site button: its reader is chosen; returns the site's address. The
    // window clears the clipboard, so that an old copy is not taken for the
    // page, and opens the address.
    std::string chooseSite(Site site);
    // "UPC Search": the retailer page reader is chosen; returns the search
    // address for the typed or scanned `code`.
    std::string chooseBarCodeSearch(std::string_view code);

    bool offersMusicBrainz() const { return musicBrainz_ != nullptr; }
    // "MusicBrainz": the release with the typed or scanned `code` fills the
    // form directly (source "B"), a new album with its front cover when the
    // user wants it; then in the new-album modes the edit form shows. The
    // window stays open when nothing was found.
    // Requires: offersMusicBrainz().
    Outcome takeMusicBrainzRelease(std::string_view code);

    // OK with the clipboard's text (Windows-1252): read by the reader
    // chosen, then in the new-album modes the edit form shows.
    Outcome takePastedText(std::string_view text);
    // "Enter Manually": the artist "Various", selected, and for an album not
    // in the drive the number of tracks asked; then the edit form shows.
    // Requires: offersManualEntry().
    Outcome enterManually();

    // The text split at its line ends; a line end at the very end starts no
    // line.
    static std::vector<std::string> lines(std::string_view text);

private:
    // Runs the reader of the source chosen; true when an entry already in
    // the catalogue was pasted (the import ends without the edit form).
    bool read(const std::vector<std::string>& pasted, AlbumEntry& entry);
    bool trackHasNoStoredLength() const;
    Outcome showForm();

    AlbumForm& form_;
    common::Prompter& prompter_;
    catalogue::Catalogue& catalogue_;
    common::ProgramState& state_;
    MusicBrainzLookup* musicBrainz_;
    EditMode mode_;
};

}  // namespace lookup
