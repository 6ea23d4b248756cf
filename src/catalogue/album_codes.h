#pragma once

#include <array>
#include <string>
#include <string_view>

// The coded values of an album row: identifiers, revision, media, source.
namespace catalogue {

// The identifier after `lastId`, the highest in ID order (trailing blanks
// allowed; empty when the table is empty): "z0000001" unless `lastId`
// starts with "z", else "z" and its number plus one, at least 7 digits.
// Throws xbase::XbaseError when the number is not decimal digits, or past
// z9999999, the last identifier that fits the field.
std::string nextManualIdAfter(std::string_view lastId);

// `Rev` for revision `revision` of an online-database entry: the character
// 48 + revision ("0", "9", ":" for 10), "~" from 79 on. Negative counts as 0.
char revisionChar(int revision);

// `Media`: the first two characters of a media text ("CR (CD-R)" -> "CR").
std::string mediaCode(std::string_view mediaText);

// `Sys`: where the album's data came from.
namespace source {
inline constexpr char kOnlineDatabase = 'F';  // disc lookup or the database's web page
inline constexpr char kAllMusicGuide = 'G';
inline constexpr char kAmazon = 'A';
inline constexpr char kManual = 'M';
inline constexpr char kBarcode = 'C';
inline constexpr char kMusicBrainz = 'B';  // never offered to the online database
inline constexpr char kOther = 'O';  // web import opened, no source chosen
}  // namespace source

struct MediaEntry {
    std::string_view key;   // short name, the settings key
    std::string_view text;  // its first two characters are the stored code
};

// The media list a new settings file starts with, in its order.
inline constexpr std::array<MediaEntry, 15> kDefaultMedia{{
    {"<no copy>", "  "},
    {"CD-R", "CR (CD-R)"},
    {"Cassette", "CS (cassette)"},
    {"CD-RW", "CW (CD-RW)"},
    {"DAD", "DA (DAD Audio)"},
    {"DTS", "DS (DTS Audio)"},
    {"DAT", "DT (DAT tape)"},
    {"DVD", "DV (DVD Audio)"},
    {"MiniDisc", "MD (minidisc)"},
    {"Local", "LD (local drive)"},
    {"Remote", "RD (remote drive)"},
    {"SACD", "SA (SuperAudio)"},
    {"Vinyl", "VL (vinyl)"},
    {"Video", "VT (video)"},
    {"Other", "OT (other)"},
}};

}  // namespace catalogue
