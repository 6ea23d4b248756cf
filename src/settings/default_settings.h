#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

// The settings file's names and the values a new file starts with.
namespace settings {

inline constexpr std::string_view kFileName = "Vinora.ini";

namespace section {
inline constexpr std::string_view kCurrent = "Current";
inline constexpr std::string_view kUrl = "URL";
inline constexpr std::string_view kGenre = "Genre";
inline constexpr std::string_view kOfficial = "Official";
// The main window's place; files from before it lack the section.
inline constexpr std::string_view kWindow = "Window";
inline constexpr std::string_view kSite = "Site";
inline constexpr std::string_view kMedia = "Media";
}  // namespace section

namespace key {
inline constexpr std::string_view kHost = "Host";
inline constexpr std::string_view kCdPath = "CDPath";
inline constexpr std::string_view kDriveNr = "DriveNr";
inline constexpr std::string_view kHint = "Hint";
inline constexpr std::string_view kArt = "Art";
inline constexpr std::string_view kSsl = "SSL";
inline constexpr std::string_view kProtocol = "Protocol";
inline constexpr std::string_view kGenre = "Genre";
inline constexpr std::string_view kClipsDir = "ClipsDir";
inline constexpr std::string_view kViewer = "Viewer";
inline constexpr std::string_view kLabeler = "Labeler";
inline constexpr std::string_view kPlayer = "Player";
inline constexpr std::string_view kName = "Name";
inline constexpr std::string_view kMail = "Mail";
inline constexpr std::string_view kServer = "Server";
inline constexpr std::string_view kWState = "WState";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kFreedb = "Freedb";
inline constexpr std::string_view kAmg = "AMG";
inline constexpr std::string_view kAmazon = "Amazon";
inline constexpr std::string_view kCovers = "Covers";
inline constexpr std::string_view kUpc = "UPC";
// Where disc and bar-code lookups and cover downloads go; files from before
// them lack these keys.
inline constexpr std::string_view kMusicBrainz = "MusicBrainz";
inline constexpr std::string_view kCoverArt = "CoverArt";
// Which online databases Add CD asks, in which order.
inline constexpr std::string_view kLookup = "Lookup";
// Numbered keys: "Genre1", "Site1", ...
inline constexpr std::string_view kGenrePrefix = "Genre";
inline constexpr std::string_view kSitePrefix = "Site";
}  // namespace key

// The online-database server for disc lookups.
inline constexpr std::string_view kDefaultHost = "gnudb.gnudb.org";
// Pages opened for the user. The database's home page carries its search
// form, so it serves as the search page and as the fallback.
inline constexpr std::string_view kDefaultFreedbUrl = "https://gnudb.org/";
inline constexpr std::string_view kDefaultAmgUrl = "https://www.allmusic.com/";
inline constexpr std::string_view kDefaultAmazonUrl = "https://www.amazon.com/gp/bestsellers/music";
inline constexpr std::string_view kDefaultCoversUrl = "https://musicbrainz.org/search?type=release";
// A bar-code search: the scanned or typed code, check digit included, is
// appended.
inline constexpr std::string_view kDefaultUpcUrl =
    "https://musicbrainz.org/search?type=release&method=advanced&query=barcode:";

inline constexpr std::string_view kDefaultMusicBrainzUrl = "https://musicbrainz.org";
inline constexpr std::string_view kDefaultCoverArtUrl = "https://coverartarchive.org";

inline constexpr std::string_view kDefaultName = "Music Collection Manager";
inline constexpr std::string_view kDefaultProtocol = "T";
inline constexpr int kWStateNormal = 1;
inline constexpr int kWStateMaximized = 2;

// The online database's eleven categories.
inline constexpr std::array<std::string_view, 11> kDefaultGenres{
    "blues", "rock", "misc", "classical", "country", "data", "folk", "jazz", "newage", "reggae", "soundtrack"};

// What the defaults depend on outside the file.
struct SettingsEnvironment {
    // The program directory, with a trailing separator.
    std::string programDir;
    // The first CD drive, "" when there is none; asked only when needed.
    std::function<std::string()> firstCdDrive;
};

// The content of a new settings file, in its order: URL keys, Current keys,
// the genres in Genre and Official, Site1, the media list.
IniFile defaultSettingsFile(const SettingsEnvironment& environment);

}  // namespace settings
