#include "playback/tracks_view_builder.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "common/trim_and_case.h"
#include "playback/tracks_view_file_system.h"
#include "xbase/cdx_index.h"
#include "xbase/cursor.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace playback {
namespace {

constexpr std::string_view kArtistOrder = "Artist";
constexpr std::string_view kTitleSeparator = " / ";
constexpr std::size_t kTitleWidth = 50;
// Progress is told every so many rows: often enough for a smooth bar.
constexpr std::uint32_t kProgressStep = 512;

// What the status bar says before each tag is made, in creation order.
constexpr std::array<std::string_view, 5> kTagTexts{"Creating Album tag", "Creating Artist tag", "Creating Track tag",
                                                    "Creating Genre tag", "Creating YR tag"};

struct Album {
    std::string title;
    std::string genre;
    std::string year;
};

struct Track {
    std::string nr;
    std::string title;
};

// Raw fields of one table's records, read straight from the records in a
// stream: the catalogue's own views are neither moved nor re-ordered.
class FieldReader {
public:
    FieldReader(const xbase::Table& table, std::initializer_list<std::string_view> names) : table_(table)
    {
        for (std::string_view name : names) {
            const int index = table.fieldIndex(name);
            if (index < 0)
                throw xbase::XbaseError(table.path() + ": no field " + std::string(name));
            fields_.push_back(index);
        }
    }
    std::string text(const std::uint8_t* record, std::size_t which) const
    {
        std::string s = table_.fieldText(record, fields_[which]);
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    }

private:
    const xbase::Table& table_;
    std::vector<int> fields_;
};

bool isDeleted(const std::uint8_t* record) { return record[0] == '*'; }

std::unordered_map<std::string, Album> readAlbums(const xbase::Table& table)
{
    const FieldReader read(table, {"ID", "Album", "Genre", "YR"});
    std::unordered_map<std::string, Album> albums;
    albums.reserve(table.recordCount());
    table.forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!isDeleted(record))
            albums.try_emplace(read.text(record, 0), Album{read.text(record, 1), read.text(record, 2), read.text(record, 3)});
    });
    return albums;
}

// Each album's tracks in ID+NR order (NR is right-aligned, so its bytes
// compare as numbers; equal numbers keep record order as the tag does).
std::unordered_map<std::string, std::vector<Track>> readTracks(const xbase::Table& table)
{
    const FieldReader read(table, {"ID", "NR", "Track"});
    const int nrField = table.fieldIndex("NR");
    std::unordered_map<std::string, std::vector<Track>> tracks;
    table.forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!isDeleted(record))
            tracks[read.text(record, 0)].push_back({table.fieldText(record, nrField), read.text(record, 2)});
    });
    for (auto& [id, list] : tracks)
        std::stable_sort(list.begin(), list.end(), [](const Track& a, const Track& b) { return a.nr < b.nr; });
    return tracks;
}

// The song of a multi-artist title "Artist / Song".
std::string songTitle(const std::string& title)
{
    const std::size_t at = title.find(kTitleSeparator);
    if (at == std::string::npos)
        return title;
    return std::string(common::trimmed(std::string_view(title).substr(at + kTitleSeparator.size(), kTitleWidth)));
}

// Appends rows to the work table through one record buffer.
class RowWriter {
public:
    explicit RowWriter(xbase::Table& table) : table_(table), record_(table.blankRecord())
    {
        for (std::string_view name : {"Artist", "Album", "Track", "Genre", "YR", "ID"})
            fields_.push_back(table.fieldIndex(name));
    }
    void append(const std::string& artist, const std::string& id, const Album& album, const std::string& track)
    {
        const std::string_view values[] = {artist, album.title, track, album.genre, album.year, id};
        for (std::size_t i = 0; i < fields_.size(); ++i)
            table_.setFieldText(record_.data(), fields_[i], values[i]);
        table_.append(record_.data());
    }

private:
    xbase::Table& table_;
    std::vector<std::uint8_t> record_;
    std::vector<int> fields_;
};

}  // namespace

TracksViewBuilder::TracksViewBuilder(catalogue::Catalogue& catalogue, catalogue::StatusReport status)
    : catalogue_(catalogue), status_(std::move(status))
{
}

std::string TracksViewBuilder::tablePath() const { return catalogue_.tracksView().path(); }

std::string TracksViewBuilder::indexPath() const
{
    return xbase::siblingPath(catalogue_.fileSystem(), tablePath(), "cdx");
}

bool TracksViewBuilder::needsWork() const
{
    xbase::FileSystem& fs = catalogue_.fileSystem();
    if (!fs.exists(tablePath()) || !fs.exists(indexPath()))
        return true;
    const auto table = xbase::Table::open(tablePath(), xbase::OpenMode::Exclusive, fs);
    if (!table->index())
        return true;
    return std::any_of(catalogue::kTView.tags.begin(), catalogue::kTView.tags.end(),
                       [&](const catalogue::TagDef& tag) { return !tag.name.empty() && !table->index()->tag(tag.name); });
}

TracksViewBuilder::Outcome TracksViewBuilder::build(common::Progress& progress)
{
    if (!catalogue_.fileSystem().exists(tablePath()) && buildTable(progress) == Outcome::Cancelled)
        return Outcome::Cancelled;
    return needsWork() ? buildIndex(progress) : Outcome::Ready;
}

TracksViewBuilder::Outcome TracksViewBuilder::buildTable(common::Progress& progress)
{
    xbase::FileSystem& fs = catalogue_.fileSystem();
    // The old index does not belong to the new rows.
    removeIndexFile();
    if (status_)
        status_(std::string(kCreatingViewTableText));
    const std::string path = tablePath();
    xbase::Table::create(path, xbase::parseCreationList(catalogue::kTView.creationList), fs);
    bool cancelled = false;
    try {
        TracksViewFileSystem held(fs);
        const auto out = xbase::Table::open(path, xbase::OpenMode::Exclusive, held);
        cancelled = !fillTable(*out, progress);
        out->flush();
    } catch (...) {
        removeTableFile();
        throw;
    }
    // A table cut short would be taken as whole at the next opening.
    if (cancelled)
        removeTableFile();
    return cancelled ? Outcome::Cancelled : Outcome::Ready;
}

bool TracksViewBuilder::fillTable(xbase::Table& out, common::Progress& progress)
{
    const auto albums = readAlbums(catalogue_.albums().cursor().table());
    const auto tracks = readTracks(catalogue_.allTracks().cursor().table());
    const auto artistsTable =
        xbase::Table::open(catalogue_.artists().path(), xbase::OpenMode::Shared, catalogue_.fileSystem());
    xbase::Cursor artists(artistsTable);
    artists.setOrder(kArtistOrder);
    RowWriter rows(out);
    const std::uint32_t total = artistsTable->recordCount();
    std::uint32_t done = 0;
    for (bool more = artists.first(); more; more = artists.next()) {
        if (done++ % kProgressStep == 0) {
            progress.advance(done, total);
            if (progress.cancelRequested())
                return false;
        }
        const std::string id = artists.fieldTrimmed("ID");
        const auto album = albums.find(id);
        const auto albumTracks = tracks.find(id);
        if (album == albums.end() || albumTracks == tracks.end())
            continue;
        const std::string artist = artists.fieldTrimmed("Artist");
        const std::string nr = artists.field("NR");
        const std::vector<Track>& list = albumTracks->second;
        if (common::trimmed(nr).empty()) {
            for (const Track& track : list)
                rows.append(artist, id, album->second, track.title);
            continue;
        }
        const auto track = std::find_if(list.begin(), list.end(), [&](const Track& t) { return t.nr == nr; });
        if (track != list.end())
            rows.append(artist, id, album->second, songTitle(track->title));
    }
    progress.advance(total, total);
    return true;
}

TracksViewBuilder::Outcome TracksViewBuilder::buildIndex(common::Progress& progress)
{
    if (status_)
        status_(std::string(kCreatingViewIndexText));
    bool cancelled = false;
    try {
        const auto table = xbase::Table::open(tablePath(), xbase::OpenMode::Exclusive, catalogue_.fileSystem());
        xbase::CdxIndex& index = table->createIndex();
        std::size_t done = 0;
        for (const catalogue::TagDef& tag : catalogue::kTView.tags) {
            progress.advance(done, kTagTexts.size());
            cancelled = progress.cancelRequested();
            if (cancelled)
                break;
            if (status_)
                status_(std::string(kTagTexts[done]));
            index.createTag(tag.name, tag.expression);
            ++done;
        }
        table->flush();
        progress.advance(done, kTagTexts.size());
    } catch (...) {
        removeIndexFile();
        throw;
    }
    if (cancelled)
        removeIndexFile();
    return cancelled ? Outcome::Cancelled : Outcome::Ready;
}

void TracksViewBuilder::removeTableFile() const
{
    catalogue::removeFileNoCase(catalogue_.programDir(), catalogue::kTView.fileName);
}

void TracksViewBuilder::removeIndexFile() const
{
    catalogue::removeFileNoCase(catalogue_.programDir(), xbase::baseName(tablePath()) + ".CDX");
}

}  // namespace playback
