#include "editing/album_detail.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>
#include <optional>

#include "catalogue/display_text.h"
#include "common/notes_tags.h"
#include "common/product_version.h"
#include "common/trim_and_case.h"
#include "editing/media_usage.h"
#include "xbase/cursor.h"
#include "xbase/table.h"

namespace editing {
namespace {

constexpr std::size_t kIndexedTitleWidth = 40;

// A cursor of our own on the file a view is on (joined, so it sees the
// views' writes), standing on the first row of album `id` in `order`.
// The views, and the grids over them, stay where they are.
std::unique_ptr<xbase::Cursor> albumRows(catalogue::Catalogue& catalogue, catalogue::TableView& view,
                                         std::string_view order, const std::string& id)
{
    auto cursor = std::make_unique<xbase::Cursor>(
        xbase::Table::open(view.path(), xbase::OpenMode::Shared, catalogue.fileSystem()));
    cursor->setOrder(order);
    cursor->seekNearest(id);
    return cursor;
}

bool onAlbum(const xbase::Cursor& cursor, const std::string& id)
{
    return !cursor.eof() && cursor.fieldTrimmed("ID") == id;
}

// A whole decimal number, nothing else; nothing for any other text.
std::optional<long> wholeNumber(std::string_view text)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string twoDigits(std::string_view nr)
{
    char text[24];
    std::snprintf(text, sizeof text, "%.2ld", wholeNumber(common::trimmed(nr)).value_or(0));
    return text;
}

std::string trackLine(const AlbumDetail::Track& track)
{
    return twoDigits(track.nr) + ". (" + catalogue::timeText(track.seconds, 2) + ") " + track.title;
}

// Lengths of a run of tracks with the 2-second gap after each.
std::string totalText(long seconds, std::size_t tracks)
{
    return catalogue::timeText(seconds + MediaUsage::kGapSeconds * static_cast<long>(tracks), 3);
}

std::uint32_t liveRecords(catalogue::Catalogue& catalogue, catalogue::TableView& view)
{
    const auto table = xbase::Table::open(view.path(), xbase::OpenMode::Shared, catalogue.fileSystem());
    std::uint32_t live = 0;
    table->forEachRecord([&live](std::uint32_t, const std::uint8_t* record) { live += record[0] != '*'; });
    return live;
}

}  // namespace

AlbumDetail AlbumDetail::ofCurrentAlbum(catalogue::Catalogue& catalogue)
{
    const xbase::Cursor& album = catalogue.albums().cursor();
    AlbumDetail detail;
    detail.id_ = album.fieldTrimmed("ID");
    detail.title_ = album.fieldTrimmed("Album");
    detail.artist_ = album.fieldTrimmed("Artist");
    detail.source_ = album.fieldTrimmed("Sys");
    detail.caption_ = kCaptionPrefix + detail.title_ + "]";
    detail.addHeader(album);
    const std::string notes = album.memo("Notes");
    detail.readTracks(catalogue, notes);
    detail.addTracks();
    detail.addPlaylist(catalogue, album.fieldTrimmed("IX"));
    detail.addStatistics(catalogue);
    const std::string label = album.field("Label");
    if (common::equalsNoCase(catalogue.albums().order(), "LABEL") && !common::trimmed(label).empty())
        detail.addLabelSummary(catalogue, label);
    detail.add("Vinora - Version " + std::string(common::productVersion()));
    return detail;
}

long AlbumDetail::trackSeconds() const
{
    return std::accumulate(tracks_.begin(), tracks_.end(), 0L,
                           [](long sum, const Track& track) { return sum + track.seconds; });
}

void AlbumDetail::add(std::string text, Style style) { page_.push_back({std::move(text), style}); }

void AlbumDetail::addHeader(const xbase::Cursor& album)
{
    add("Album:     " + title_);
    add("Artist:    " + artist_);
    add("Genre:     " + album.fieldTrimmed("Genre"));
    const std::pair<const char*, const char*> optional[] = {
        {"Year:      ", "YR"}, {"Media:     ", "Media"}, {"Label/Directory: ", "Label"}, {"Index:     ", "IX"}};
    for (const auto& [caption, field] : optional)
        if (const std::string value = album.fieldTrimmed(field); !value.empty())
            add(caption + value);
    add("Disc ID:   " + id_);
}

// The notes' lines, extended data in its colour; a track's extended text
// waits for its track line. A line that only looks like a track's
// extended text (its index no number) is the user's remark and shows.
void AlbumDetail::readTracks(catalogue::Catalogue& catalogue, const std::string& notes)
{
    const common::NotesTags tags(notes);
    if (!tags.lines().empty())
        add("NOTES:");
    for (std::string_view line : tags.lines()) {
        const common::NotesTags single(line);
        if (!single.trackExtensions().empty())
            continue;
        if (const auto extended = single.albumExtensions(); !extended.empty())
            add(std::string(common::withoutEdgeLineBreaks(extended.front())), Style::Extended);
        else if (!common::trimmed(line).empty())
            add(std::string(line));
    }

    const std::map<std::size_t, std::string_view> extensions = tags.firstTrackExtensions();
    for (auto cursor = albumRows(catalogue, catalogue.currentAlbumTracks(), "Tracks", id_); onAlbum(*cursor, id_);
         cursor->next()) {
        Track track{cursor->field("NR"), cursor->fieldTrimmed("Track"),
                    MediaUsage::storedSeconds(cursor->field("Secs")), {}};
        // Index 0 is track 1.
        const auto number = wholeNumber(common::trimmed(track.nr));
        if (number && *number >= 1)
            if (const auto found = extensions.find(static_cast<std::size_t>(*number - 1)); found != extensions.end())
                track.extended = common::withoutEdgeLineBreaks(found->second);
        tracks_.push_back(std::move(track));
    }
}

void AlbumDetail::addTracks()
{
    if (tracks_.empty())
        return;
    add("TRACKS:");
    for (const Track& track : tracks_) {
        add(trackLine(track));
        if (!track.extended.empty())
            add("    " + track.extended, Style::Extended);
    }
    if (const long seconds = trackSeconds(); seconds > 0)
        add("Total Playing Time: " + totalText(seconds, tracks_.size()));
}

// A mark whose track is gone shows nothing and counts nothing.
void AlbumDetail::addPlaylist(catalogue::Catalogue& catalogue, const std::string& index)
{
    std::vector<const Track*> marked;
    for (auto cursor = albumRows(catalogue, catalogue.playlist(), "Playlist", id_); onAlbum(*cursor, id_);
         cursor->next()) {
        const std::string nr = cursor->field("NR");
        for (const Track& track : tracks_)
            if (track.nr == nr) {
                marked.push_back(&track);
                break;
            }
    }
    if (marked.empty())
        return;
    add("PLAYLIST:");
    // A whole index numbers the marked tracks from it on (their places on
    // the target medium); a part index ("1.5") has no such run.
    const std::optional<long> first = wholeNumber(index);
    long seconds = 0;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const Track& track = *marked[i];
        seconds += track.seconds;
        if (first && *first >= 1) {
            std::string title = track.title;
            title.resize(std::max(title.size(), kIndexedTitleWidth), ' ');
            add(twoDigits(track.nr) + ". " + title + " (Index: " + std::to_string(*first + static_cast<long>(i)) +
                ")");
        } else {
            add(trackLine(track));
        }
    }
    if (seconds > 0)
        add("Total Playlist Time: " + totalText(seconds, marked.size()));
}

void AlbumDetail::addStatistics(catalogue::Catalogue& catalogue)
{
    xbase::Cursor& albums = catalogue.albums().cursor();
    if (albums.filtered())
        add("Albums passing filter " + albums.filterText() + ": " + std::to_string(albums.count()),
            Style::Statistics);
    add("Total number of albums in database: " + std::to_string(liveRecords(catalogue, catalogue.albums())),
        Style::Statistics);
    add("Total number of tracks in database: " + std::to_string(liveRecords(catalogue, catalogue.allTracks())),
        Style::Statistics);
}

// Only a label several albums share is a medium worth summing up here.
void AlbumDetail::addLabelSummary(catalogue::Catalogue& catalogue, const std::string& label)
{
    const std::optional<MediaUsageRow> usage = MediaUsage::forLabel(catalogue, label);
    if (!usage || usage->albums < 2)
        return;
    add("Time used on Media Label/Directory \"" + usage->label + "\": " + catalogue::timeText(usage->seconds, 3) +
        " (" + std::to_string(usage->tracks) + " tracks)");
    add("Click \"Display Time Used on Rewritable Media\" button below", Style::Hint);
    add("      for time use on ALL rewritable media", Style::Hint);
}

}  // namespace editing
