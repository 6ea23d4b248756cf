#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/program_settings.h"

// Where MusicBrainz's web service and the Cover Art Archive answer, and how
// the program introduces itself to them.
namespace lookup {

// A base address taken apart for the HTTP getter.
struct MusicBrainzAddress {
    bool tls = true;
    std::string host;
    int port = 443;
    std::string path;  // put before every request's path; "" or "/prefix"
};

// "http://HOST[:PORT][/PATH]" or "https://..."; nothing for anything else.
std::optional<MusicBrainzAddress> musicBrainzAddress(std::string_view url);

struct MusicBrainzService {
    std::string webService{settings::kDefaultMusicBrainzUrl};
    std::string coverArt{settings::kDefaultCoverArtUrl};
    // MusicBrainz refuses clients that do not say who they are.
    std::string userAgent;
};

// "Vinora/VERSION ( MAIL )"; "Vinora/VERSION" while `mail` is blank.
std::string musicBrainzUserAgent(std::string_view version, std::string_view mail);

// The addresses and the user agent (with the Mail setting) of `settings`,
// as they are now.
MusicBrainzService musicBrainzServiceFromSettings(const settings::ProgramSettings& settings);

}  // namespace lookup
