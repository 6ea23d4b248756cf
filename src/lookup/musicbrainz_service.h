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

// Whether `id` is shaped as a MusicBrainz identifier (36 characters,
// lower-case hexadecimal in groups 8-4-4-4-12), so it is safe in a path.
bool isMusicBrainzId(const std::string& id);

// The page of release `releaseId` on the web service at `webService`.
std::string musicBrainzReleasePage(std::string_view webService, std::string_view releaseId);
// The release whose page (as musicBrainzReleasePage writes it) `address`
// is; nothing for any other address.
std::optional<std::string> musicBrainzReleaseOfPage(std::string_view address, std::string_view webService);

// The addresses and the user agent (with the Mail setting) of `settings`,
// as they are now.
MusicBrainzService musicBrainzServiceFromSettings(const settings::ProgramSettings& settings);

}  // namespace lookup
