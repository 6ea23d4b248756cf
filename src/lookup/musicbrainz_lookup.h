#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"
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
    // Offers the front cover of `release` when it may have one; when the
    // user wants it, downloads it into the covers folder and returns the
    // file's path (file-system spelling). Tells the user when there is none
    // or the download failed.
    std::optional<std::string> offerFrontCover(const MusicBrainzRelease& release);

private:
    // Runs the request `start` starts and waits for its result.
    MusicBrainzClient::Result await(const std::string& status, const std::function<bool()>& start);
    MusicBrainzAnswer chosen(MusicBrainzClient::Result result);
    // `answer`, the user told when its release lost letters on the way
    // into Windows-1252.
    MusicBrainzAnswer told(MusicBrainzAnswer answer);

    MusicBrainzExchangeRunner& runner_;
    ExchangeWait& wait_;
    common::Prompter& prompter_;
    const settings::ProgramSettings& settings_;
    std::string coversFolder_;
    Chooser chooser_;
    Status showStatus_;
};

// The notes line naming the cover picture at `path` (file-system
// spelling), in the notes' Windows-1252.
std::string coverLine(const std::string& path);

}  // namespace lookup
