#include "editing/album_form_loader.h"

#include <cstdlib>

#include "catalogue/display_text.h"
#include "editing/album_rows.h"
#include "editing/edit_form_texts.h"

namespace editing {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kNumberWidth = 3;
constexpr int kTimeWidth = 2;
constexpr long kGapSeconds = 2;

}  // namespace

AlbumFormData loadCurrentAlbum(catalogue::Catalogue& catalogue, long& runningSeconds)
{
    const xbase::Cursor& album = catalogue.albums().cursor();
    AlbumFormData data;
    data.mode = lookup::EditMode::Modify;
    data.caption = std::string(kModifyCaption);
    const std::string sys = album.fieldTrimmed("Sys");
    data.source = sys.empty() ? catalogue::source::kManual : sys[0];
    data.artist = album.fieldTrimmed("Artist");
    data.album = album.fieldTrimmed("Album");
    data.label = album.fieldTrimmed("Label");
    data.genre = album.fieldTrimmed("Genre");
    data.media = album.fieldTrimmed("Media");
    data.index = album.fieldTrimmed("IX");
    data.notes = album.memo("Notes");
    data.year = album.fieldTrimmed("YR");
    const std::string rev = album.field("Rev");
    data.revision = rev.empty() || rev[0] == ' ' ? "0" : rev.substr(0, 1);

    data.albumId = album.fieldTrimmed("ID");
    // Straight from the tag, so allTracks keeps its own filter and position.
    const std::string& id = data.albumId;
    catalogue.allTracks().open();
    xbase::Table& tracks = catalogue.allTracks().cursor().table();
    const int secs = tracks.fieldIndex("Secs");
    const int title = tracks.fieldIndex("Track");
    runningSeconds = 0;
    long row = 0;
    for (std::uint32_t recno : liveRecordsByKey(tracks, "Tracks", idKey(id))) {
        const std::uint8_t* rec = tracks.record(recno);
        const long seconds = std::atol(tracks.fieldText(rec, secs).c_str());
        std::string titleText = tracks.fieldText(rec, title);
        titleText.erase(titleText.find_last_not_of(' ') + 1);
        data.tracks.push_back({catalogue::numberText(++row, kNumberWidth), catalogue::timeText(seconds, kTimeWidth),
                               std::move(titleText)});
        if (seconds > 0)
            runningSeconds += seconds + kGapSeconds;
    }
    if (runningSeconds > kGapSeconds)
        runningSeconds -= kGapSeconds;
    return data;
}

void resetForNewEntry(AlbumFormData& data, lookup::EditMode mode, const std::string& defaultGenre)
{
    data.mode = mode;
    data.caption = std::string(captionOf(mode));
    data.label.clear();
    data.media.clear();
    data.index.clear();
    data.notes.clear();
    data.year.clear();
    data.genre = defaultGenre;
    data.revision.assign(1, '0');
    data.source = catalogue::source::kOnlineDatabase;
}

void fillFromEntry(AlbumFormData& data, const lookup::AlbumEntry& entry)
{
    data.artist = entry.artist;
    data.album = entry.album;
    data.genre = entry.genre;
    data.year = entry.year;
    data.revision = entry.revision;
    data.notes.clear();
    for (std::size_t i = 0; i < entry.notes.size(); ++i) {
        if (i > 0)
            data.notes += kLineEnd;
        data.notes += entry.notes[i];
    }
    data.tracks = entry.tracks;
}

std::string_view captionOf(lookup::EditMode mode)
{
    switch (mode) {
    case lookup::EditMode::AddFromDrive:
        return kAddFromDriveCaption;
    case lookup::EditMode::AddOther:
        return kAddOtherCaption;
    case lookup::EditMode::Modify:
        return kModifyCaption;
    }
    return kDesignCaption;
}

std::size_t notesLineCount(std::string_view notes)
{
    std::size_t count = 0;
    std::size_t start = 0;
    while (start < notes.size()) {
        ++count;
        const std::size_t end = notes.find('\n', start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return count;
}

std::string firstNotesLine(std::string_view notes)
{
    std::string_view line = notes.substr(0, notes.find('\n'));
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return std::string(line);
}

}  // namespace editing
