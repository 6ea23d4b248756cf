#include "playback/tracks_view_builder.h"

#include <algorithm>
#include <array>
#include <span>
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
constexpr std::size_t kIdWidth = 8;
constexpr std::size_t kNrWidth = 3;
// Beside TVIEW.DBF, the table being filled.
constexpr std::string_view kUnfinishedSuffix = "~B";
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

// Removes the table of a build that did not finish.
void removeUnfinished(xbase::FileSystem& fs, const std::string& path)
{
    try {
        if (fs.exists(path))
            fs.remove(path);
    } catch (const xbase::XbaseError&) {
        // Replaced at the next build, and never read meanwhile.
    }
}

bool isDeleted(const std::uint8_t* record) { return record[0] == '*'; }

std::unordered_map<std::string, Album> readAlbums(const xbase::Table& table)
{
    const FieldReader read(table, {"Album", "Genre", "YR"});
    const int idField = table.fieldIndex("ID");
    std::unordered_map<std::string, Album> albums;
    albums.reserve(table.recordCount());
    table.forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!isDeleted(record))
            albums.try_emplace(table.fieldText(record, idField),
                               Album{read.text(record, 0), read.text(record, 1), read.text(record, 2)});
    });
    return albums;
}

// Every live track's album, number and title, in ID+NR order (equal keys in
// record order, as the tag has them). One sorted list and one block of
// titles: a map of small lists would cost an allocation per track.
class TrackList {
public:
    struct Track {
        std::array<char, kIdWidth + kNrWidth> key;  // ID+NR as stored
        std::uint32_t offset;                       // of the title in titles_
        std::uint32_t length;
    };

    explicit TrackList(const xbase::Table& table)
    {
        const int id = table.fieldIndex("ID");
        const int nr = table.fieldIndex("NR");
        const FieldReader read(table, {"Track"});
        tracks_.reserve(table.recordCount());
        table.forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
            if (isDeleted(record))
                return;
            Track track{};
            const std::string key = table.fieldText(record, id) + table.fieldText(record, nr);
            std::copy_n(key.begin(), std::min(key.size(), track.key.size()), track.key.begin());
            const std::string title = read.text(record, 0);
            track.offset = static_cast<std::uint32_t>(titles_.size());
            track.length = static_cast<std::uint32_t>(title.size());
            titles_ += title;
            tracks_.push_back(track);
        });
        std::stable_sort(tracks_.begin(), tracks_.end(),
                         [](const Track& a, const Track& b) { return keyOf(a) < keyOf(b); });
    }

    // The tracks of album `id` (as stored, padded), or of one of its
    // numbers when `nr` is given.
    std::span<const Track> find(std::string_view id, std::string_view nr = {}) const
    {
        const std::string prefix = std::string(id) + std::string(nr);
        auto less = [](const Track& t, const std::string& p) { return keyOf(t).substr(0, p.size()) < p; };
        auto greater = [](const std::string& p, const Track& t) { return p < keyOf(t).substr(0, p.size()); };
        const auto first = std::lower_bound(tracks_.begin(), tracks_.end(), prefix, less);
        const auto last = std::upper_bound(first, tracks_.end(), prefix, greater);
        return {first, last};
    }
    std::string_view title(const Track& track) const
    {
        return std::string_view(titles_).substr(track.offset, track.length);
    }

private:
    static std::string_view keyOf(const Track& track) { return {track.key.data(), track.key.size()}; }

    std::vector<Track> tracks_;
    std::string titles_;
};

// The song of a multi-artist title "Artist / Song".
std::string_view songTitle(std::string_view title)
{
    const std::size_t at = title.find(kTitleSeparator);
    if (at == std::string_view::npos)
        return title;
    return common::trimmed(title.substr(at + kTitleSeparator.size(), kTitleWidth));
}

// Appends rows to the work table through one record buffer.
class RowWriter {
public:
    explicit RowWriter(xbase::Table& table) : table_(table), record_(table.blankRecord())
    {
        for (std::string_view name : {"Artist", "Album", "Track", "Genre", "YR", "ID"})
            fields_.push_back(table.fieldIndex(name));
    }
    void append(std::string_view artist, std::string_view id, const Album& album, std::string_view track)
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
    const auto missing = [&](const catalogue::TagDef& tag) {
        return !tag.name.empty() && !table->index()->tag(tag.name);
    };
    return std::any_of(catalogue::kTView.tags.begin(), catalogue::kTView.tags.end(), missing);
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
    // Filled under another name and renamed when whole: a table cut short
    // by a kill would be taken as whole at the next start. The create
    // replaces what such a build left.
    const std::string temp = xbase::withStemSuffix(tablePath(), kUnfinishedSuffix);
    xbase::Table::create(temp, xbase::parseCreationList(catalogue::kTView.creationList), fs);
    bool cancelled = false;
    try {
        {
            TracksViewFileSystem held(fs);
            const auto out = xbase::Table::open(temp, xbase::OpenMode::Exclusive, held);
            cancelled = !fillTable(*out, progress);
            out->flush();
        }
        // No memo field: the table is this one file.
        if (!cancelled)
            fs.rename(temp, tablePath());
    } catch (...) {
        removeUnfinished(fs, temp);
        throw;
    }
    if (cancelled)
        removeUnfinished(fs, temp);
    return cancelled ? Outcome::Cancelled : Outcome::Ready;
}

bool TracksViewBuilder::fillTable(xbase::Table& out, common::Progress& progress)
{
    const auto albums = readAlbums(catalogue_.albums().cursor().table());
    const TrackList tracks(catalogue_.allTracks().cursor().table());
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
        const std::string id = artists.field("ID");
        const auto album = albums.find(id);
        if (album == albums.end())
            continue;
        const std::string artist = artists.fieldTrimmed("Artist");
        const std::string nr = artists.field("NR");
        const std::string_view trimmedId = common::trimmed(id);
        if (common::trimmed(nr).empty()) {
            for (const TrackList::Track& track : tracks.find(id))
                rows.append(artist, trimmedId, album->second, tracks.title(track));
            continue;
        }
        const auto track = tracks.find(id, nr);
        if (!track.empty())
            rows.append(artist, trimmedId, album->second, songTitle(tracks.title(track.front())));
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

void TracksViewBuilder::removeIndexFile() const
{
    catalogue::removeFileNoCase(catalogue_.programDir(), xbase::baseName(tablePath()) + ".CDX");
}

}  // namespace playback
