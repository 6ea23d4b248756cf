#include "lookup/track_list_readers.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "common/trim_and_case.h"
#include "lookup/track_list_text.h"

namespace lookup {
namespace {

using common::trimmed;
using namespace track_lists;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// --- numbered list with times ---

constexpr std::size_t kShortestTimedText = 8;  // a time, a blank and a title
constexpr std::size_t kShortestTime = 4;       // "4:07"
constexpr std::size_t kLongestTime = 6;        // "123:07"
constexpr std::size_t kLengthWidth = 5;        // " 4:07"
constexpr std::size_t kTrailingMarksRemoved = 2;
constexpr std::string_view kPerformedBy = "performed by";

// How many characters the time at the end of `text` takes, 0 when it ends
// in none. Only the digits next to the minutes count, so "Opus 5 4:07"
// keeps its 5.
std::size_t timeLength(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < kShortestTimedText)
        return 0;
    const auto digitAt = [&](std::size_t fromEnd) { return isDigit(text[n - fromEnd]); };
    if (!digitAt(1) || !digitAt(2) || text[n - 3] != ':' || !digitAt(4))
        return 0;
    std::size_t length = kShortestTime;
    while (length < kLongestTime && digitAt(length + 1))
        ++length;
    return length;
}

// The title before a time of `timeLength` characters, without the character
// just before the time and up to two marks (blank to "-") before that.
std::string_view titleBeforeTime(std::string_view text, std::size_t timeLength)
{
    std::string_view title = text.substr(0, text.size() - timeLength - 1);
    for (std::size_t i = 0; i < kTrailingMarksRemoved && !title.empty() && title.back() >= ' ' && title.back() <= '-';
         ++i)
        title.remove_suffix(1);
    return title;
}

// "Title performed by A/B" becomes "A,B / Title".
std::string withPerformer(std::string_view title)
{
    const auto at = title.find(kPerformedBy);
    if (at == std::string_view::npos)
        return std::string(trimmed(title));
    std::string performer(trimmed(title.substr(at + kPerformedBy.size())));
    std::replace(performer.begin(), performer.end(), '/', ',');
    return std::string(trimmed(performer + " / " + std::string(trimmed(title.substr(0, at)))));
}

// --- numbered list with continuation lines ---

constexpr std::size_t kMostNumberDigits = 2;

// The number of a line that begins with one or two digits and a ".", when
// it is above 0.
std::optional<std::size_t> leadingTrackNumber(std::string_view line, std::size_t dot)
{
    if (dot > kMostNumberDigits)
        return std::nullopt;
    std::size_t number = 0;
    for (char c : line.substr(0, dot))
        number = number * 10 + static_cast<std::size_t>(c - '0');
    if (number == 0)
        return std::nullopt;
    return number;
}

// --- retailer page ---

constexpr std::string_view kArtistKey = "rtist:";
constexpr std::string_view kAlbumSeparator = " - ";
constexpr std::string_view kListingHeader = "Track Listings:";
constexpr std::string_view kListingEnd = "Additional Notes";
constexpr std::string_view kVariousPrefix = "VARIOUS";
constexpr std::size_t kStoredTitleLength = 73;  // TRACKS Track
constexpr std::size_t kEntryNumberWidth = 3;

bool contains(std::string_view line, std::string_view key) { return line.find(key) != std::string_view::npos; }

// "  7Title" for "7. Title" and "Disc 1 Track 7. Title": the digits just
// before the first "." right-aligned in three characters, so that the
// entries sort by them as text.
std::optional<std::string> listingEntry(std::string_view line)
{
    const auto dot = dotAfterDigit(line);
    if (!dot)
        return std::nullopt;
    std::size_t start = *dot;
    while (start > 0 && isDigit(line[start - 1]))
        --start;
    std::string_view digits = line.substr(start, *dot - start);
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    if (digits.size() > kEntryNumberWidth)
        return std::nullopt;
    std::string entry(kEntryNumberWidth - digits.size(), ' ');
    entry += digits;
    entry += trimmed(line.substr(*dot + 1)).substr(0, kStoredTitleLength);
    return entry;
}

// "Song - Singer" becomes "Singer / Song".
std::string singerFirst(std::string_view title)
{
    const auto dash = title.find(kAlbumSeparator);
    if (dash == std::string_view::npos)
        return std::string(title);
    return std::string(trimmed(title.substr(dash + kAlbumSeparator.size()))) + " / " +
           std::string(trimmed(title.substr(0, dash)));
}

}  // namespace

TrackListResult readPlainList(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry)
{
    TrackListResult result;
    if (mode == EditMode::AddOther)
        entry.tracks.clear();
    std::vector<std::string_view> titles;
    for (const std::string& line : lines)
        if (const std::string_view title = trimmed(line); !title.empty())
            titles.push_back(title);
    if (mode == EditMode::Modify && titles.size() != entry.tracks.size()) {
        result.errors.push_back(kLineCountMismatchMessage + std::to_string(entry.tracks.size()));
        return result;
    }
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (mode == EditMode::AddOther && i < kMostTracks)
            entry.tracks.push_back(numberedRow(i + 1));
        if (i >= entry.tracks.size())
            break;
        entry.tracks[i].title = titles[i];
        ++result.tracks;
    }
    makeArtistVarious(mode, entry, result);
    return sayWhenEmpty(result);
}

TrackListResult readTimedList(const std::vector<std::string>& lines, EditMode mode, bool useTimes,
                              AlbumEntry& entry)
{
    TrackListResult result;
    if (mode == EditMode::AddOther)
        entry.tracks.clear();
    std::vector<std::string> times;
    bool everyLineTimed = true;
    std::size_t number = 0;
    for (const std::string& line : lines) {
        const std::string_view text = trimmed(line);
        const auto dot = dotAfterLeadingNumber(text);
        if (!dot)
            continue;
        if (number == kMostTracks)
            break;
        ++number;
        const std::string_view track = trimmed(text.substr(*dot + 1));
        std::string_view title = track;
        if (const std::size_t length = timeLength(track); length == 0) {
            everyLineTimed = false;
        } else {
            std::string time(track.substr(track.size() - length));
            if (time.size() < kLengthWidth)
                time.insert(0, 1, ' ');
            times.push_back(std::move(time));
            title = titleBeforeTime(track, length);
        }
        if (mode == EditMode::AddOther)
            entry.tracks.push_back(numberedRow(number));
        if (number > entry.tracks.size())
            continue;
        entry.tracks[number - 1].title = withPerformer(title);
        ++result.tracks;
    }
    const bool timesUsed = mode == EditMode::AddOther || (mode == EditMode::Modify && useTimes);
    if (timesUsed && everyLineTimed && result.tracks > 0)
        for (std::size_t r = 0; r < entry.tracks.size(); ++r)
            entry.tracks[r].length = r < times.size() ? times[r] : std::string();
    makeArtistVarious(mode, entry, result);
    return sayWhenEmpty(result);
}

TrackListResult readContinuedList(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry)
{
    TrackListResult result;
    if (mode == EditMode::AddOther)
        entry.tracks.clear();
    std::set<std::size_t> written;
    std::optional<std::size_t> current;
    for (const std::string& line : lines) {
        const std::string_view text = trimmed(line);
        if (text.empty())
            continue;
        const auto dot = dotAfterLeadingNumber(text);
        if (const auto number = dot ? leadingTrackNumber(text, *dot) : std::nullopt) {
            if (mode == EditMode::AddOther)
                while (entry.tracks.size() < *number)
                    entry.tracks.push_back(numberedRow(entry.tracks.size() + 1));
            current = number;
            if (*number <= entry.tracks.size()) {
                entry.tracks[*number - 1].title = trimmed(text.substr(*dot + 1));
                written.insert(*number);
            }
        } else if (current && *current <= entry.tracks.size()) {
            std::string& title = entry.tracks[*current - 1].title;
            title = std::string(trimmed(title + " " + std::string(text)));
        }
    }
    result.tracks = written.size();
    makeArtistVarious(mode, entry, result);
    return sayWhenEmpty(result);
}

TrackListResult readRetailerPage(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry)
{
    enum class Stage { Artist, Album, ListingHeader, Listing, Done };
    Stage stage = Stage::Artist;
    bool various = false;
    std::vector<std::string> entries;
    for (const std::string& line : lines) {
        const std::string_view text = line;
        switch (stage) {
        case Stage::Artist:
            if (const auto key = text.find(kArtistKey); key != std::string_view::npos) {
                if (isNewAlbumMode(mode))
                    entry.artist = trimmed(text.substr(key + kArtistKey.size()));
                various = common::equalsNoCase(std::string_view(entry.artist).substr(0, kVariousPrefix.size()),
                                               kVariousPrefix);
                if (various)
                    entry.artist = kVariousArtist;
                stage = Stage::Album;
            }
            break;
        case Stage::Album:
            if (const auto dash = text.find(kAlbumSeparator); dash != std::string_view::npos) {
                if (isNewAlbumMode(mode))
                    entry.album = trimmed(text.substr(0, dash));
                stage = Stage::ListingHeader;
            }
            break;
        case Stage::ListingHeader:
            if (contains(text, kListingHeader))
                stage = Stage::Listing;
            break;
        case Stage::Listing:
            if (common::trimmedLeft(text).starts_with(kListingEnd))
                stage = Stage::Done;
            else if (auto listed = listingEntry(text))
                entries.push_back(std::move(*listed));
            break;
        case Stage::Done:
            break;
        }
    }

    TrackListResult result;
    if (entries.empty()) {
        result.notices.push_back(kNoTrackDataMessage);
        result.askTrackCount = mode == EditMode::AddOther;
        return result;
    }
    std::sort(entries.begin(), entries.end());
    if (mode == EditMode::AddOther) {
        entry.tracks.clear();
        for (std::size_t i = 0; i < entries.size() && i < kMostTracks; ++i)
            entry.tracks.push_back(numberedRow(i + 1));
    }
    for (std::size_t i = 0; i < entries.size() && i < entry.tracks.size(); ++i) {
        const std::string_view title = std::string_view(entries[i]).substr(kEntryNumberWidth);
        entry.tracks[i].title = various ? singerFirst(title) : std::string(title);
        ++result.tracks;
    }
    return sayWhenEmpty(result);
}

}  // namespace lookup
