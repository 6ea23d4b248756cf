#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "lookup/album_form.h"
#include "lookup/exchange_wait.h"
#include "lookup/musicbrainz_exchange_runner.h"
#include "settings/program_settings.h"

namespace lookup {

// How asking MusicBrainz ended, as a flow goes on from it.
struct MusicBrainzAnswer {
    enum class Ending { Found, NotFound, Failed, Cancelled };
    Ending ending = Ending::NotFound;
    std::string message;  // Failed: why, for the user
    MusicBrainzRelease release;  // Found: the release chosen, with its tracks
};

// MusicBrainz as the add flows use it: each request runs off the window
// thread while `wait` lets the user stop it; several releases go to the
// chooser; the service follows the settings of the moment.
class MusicBrainzLookup {
public:
    // The index of the match chosen among texts, nothing for none.
    using Chooser = std::function<std::optional<std::size_t>(const std::vector<std::string>& matches)>;
    using Status = std::function<void(const std::string& text)>;

    // All must outlive this object. Front covers go into `coversFolder`
    // (file-system spelling), made when missing.
    MusicBrainzLookup(MusicBrainzExchangeRunner& runner, ExchangeWait& wait, common::Prompter& prompter,
                      const settings::ProgramSettings& settings, std::string coversFolder, Chooser chooser,
                      Status showStatus);

    // The release holding the disc of `toc`; none chosen counts as not
    // found. Requires: toc.trackCount > 0.
    MusicBrainzAnswer disc(const platform::DiscToc& toc);
    // The release with bar code `code`, read with its tracks.
    MusicBrainzAnswer barcode(const std::string& code);
    // The notes lines `release` brings (Windows-1252): "URL=" and its page
    // on MusicBrainz, so the album's web button opens it; then, when it
    // may have a front cover and the user wants it, the cover downloaded
    // into the covers folder as a "COVER=" line. Tells the user when there
    // is no cover or the download failed.
    std::vector<std::string> releaseNotes(const MusicBrainzRelease& release);
    // Takes `release` into `form` for `mode`, starting from `entry`, the
    // form's content: the titles (the user told when the track counts
    // differ and the rows stay), for a new album the releaseNotes, and
    // source "B".
    void fillForm(AlbumForm& form, const MusicBrainzRelease& release, EditMode mode, AlbumEntry entry);
    // "Get Cover Image" for an album whose `notes` (Windows-1252, CR LF)
    // name a release page on the MusicBrainz server of the settings: offers
    // that release's front cover and, once downloaded, adds its "COVER="
    // line to `notes`. False, asking nothing, when the notes name no such
    // page.
    bool addFrontCover(std::string& notes, const std::string& album);

private:
    // Runs the request `start` starts and waits for its result.
    MusicBrainzClient::Result await(const std::string& status, const std::function<bool()>& start);
    // Runs the request `start` starts, showing `status`, and waits for the
    // runner's `finished` signal; nothing when no answer came.
    template <typename Answer>
    std::optional<Answer> answerTo(const std::string& status,
                                   void (MusicBrainzExchangeRunner::*finished)(const Answer&),
                                   const std::function<bool()>& start);
    MusicBrainzAnswer chosen(MusicBrainzClient::Result result);
    // `answer`, the user told when its release lost letters on the way
    // into Windows-1252.
    MusicBrainzAnswer told(MusicBrainzAnswer answer);
    // The "COVER=" line of the release's front cover, when the user wanted
    // it and it came.
    std::optional<std::string> offerFrontCover(const MusicBrainzRelease& release);

    MusicBrainzExchangeRunner& runner_;
    ExchangeWait& wait_;
    common::Prompter& prompter_;
    const settings::ProgramSettings& settings_;
    std::string coversFolder_;
    Chooser chooser_;
    Status showStatus_;
};

}  // namespace lookup
