#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/default_settings.h"

namespace settings {

// The main window's place and size in normal state (not maximized), frame
// left out, as the last run left it.
struct WindowGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowGeometry&) const = default;
};

// Which online databases Add CD asks about a disc, and in which order; the
// second is asked when the first does not know the disc or cannot be
// reached.
enum class LookupOrder { CddbFirst, MusicBrainzFirst, CddbOnly, MusicBrainzOnly };

// The word key Lookup holds for `order`, and back (case ignored); an
// unknown word reads as CddbFirst.
std::string_view lookupOrderWord(LookupOrder order);
LookupOrder lookupOrderFromWord(std::string_view word);

// The settings as read once at start-up; the program-wide values.
struct ProgramSettings {
    // Current
    std::string host{kDefaultHost};
    std::string cdPath;
    long driveNr = 0;
    bool hint = true;
    bool art = false;
    bool ssl = false;
    std::string protocol{kDefaultProtocol};
    std::string genre;  // of the album saved last
    std::string clipsDir;
    std::string viewer;
    std::string labeler;
    std::string player;
    std::string name{kDefaultName};
    std::string mail;
    std::string server;
    long wState = kWStateNormal;
    LookupOrder lookupOrder = LookupOrder::CddbFirst;
    // URL
    std::string freedbUrl{kDefaultFreedbUrl};
    std::string amgUrl{kDefaultAmgUrl};
    std::string amazonUrl{kDefaultAmazonUrl};
    std::string coversUrl{kDefaultCoversUrl};
    std::string upcUrl{kDefaultUpcUrl};
    std::string musicBrainzUrl{kDefaultMusicBrainzUrl};
    std::string coverArtUrl{kDefaultCoverArtUrl};
    // Values of section Genre, trimmed, in file order; empty when the
    // section has none (the server's categories are used instead).
    std::vector<std::string> genres;
    // Values of section Official as written (not trimmed).
    std::vector<std::string> official;
    // Values of section Media, trimmed, in file order ("<no copy>" gives "").
    std::vector<std::string> media;

    bool startMaximized() const { return wState != kWStateNormal; }
};

}  // namespace settings
