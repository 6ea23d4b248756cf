#include "reports/record_selection.h"

#include <unordered_set>

#include "catalogue/catalogue_schema.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "common/trim_and_case.h"
#include "search/album_filter.h"
#include "search/filter_history.h"

namespace reports {

namespace {

constexpr std::string_view kTracksTag = "Tracks";
constexpr std::string_view kPlaylistTag = "Playlist";
constexpr std::string_view kIdTag = "ID";

// "" when `expression` is empty, or valid with at least one row passing it
// (the cursor then carries it as its filter); else the message for the user.
std::string applyFilter(xbase::Cursor& cursor, const std::string& expression)
{
    if (expression.empty())
        return {};
    if (std::string invalid = search::invalidFilterMessage(expression, cursor.table()); !invalid.empty())
        return invalid;
    cursor.setFilter(expression);
    cursor.setFiltered(true);
    if (!cursor.first())
        return std::string(kNoRecordsPassText) + expression;
    return {};
}

}  // namespace

RecordSelection::RecordSelection(std::string programDir, xbase::FileSystem& fs) : dir_(std::move(programDir)), fs_(fs)
{
}

RecordSelection::~RecordSelection() = default;

std::string RecordSelection::combinedFailureText(std::string_view albumsFilter, std::string_view tracksFilter)
{
    std::string text = "No albums match BOTH the albums filter\r";
    text.append(albumsFilter).append("\rAND the tracks filter\r").append(tracksFilter);
    return text;
}

void RecordSelection::release()
{
    playlist_.reset();
    tracks_.reset();
    albums_.reset();
}

std::shared_ptr<xbase::Table> RecordSelection::openTable(std::string_view fileName, xbase::OpenMode mode) const
{
    return xbase::Table::open(catalogue::filePathNoCase(dir_, fileName), mode, fs_);
}

std::string RecordSelection::prepare(const SelectionSettings& settings, search::FilterHistory& albumsHistory,
                                     search::FilterHistory& tracksHistory)
{
    release();
    settings_ = settings;
    settings_.albumsFilter = std::string(common::trimmed(settings.albumsFilter));
    settings_.tracksFilter = std::string(common::trimmed(settings.tracksFilter));
    const std::string& albumsFilter = settings_.albumsFilter;
    const std::string& tracksFilter = settings_.tracksFilter;

    albums_ = std::make_unique<xbase::Cursor>(openTable(catalogue::kAlbums.fileName, xbase::OpenMode::Shared));
    tracks_ = std::make_unique<xbase::Cursor>(openTable(catalogue::kTracks.fileName, xbase::OpenMode::Shared));
    tracks_->setOrder(kTracksTag);
    std::string failure = applyFilter(*albums_, albumsFilter);
    if (failure.empty() && (settings_.includeTracks || settings_.includePlaylists))
        failure = applyFilter(*tracks_, tracksFilter);
    if (!failure.empty()) {
        release();
        return failure;
    }
    if (!albumsFilter.empty())
        albumsHistory.add(albumsFilter);
    if (!tracksFilter.empty())
        tracksHistory.add(tracksFilter);

    if (!tracksFilter.empty()) {
        selectThroughTracks(tracksFilter);
        if (!albums_->first()) {
            release();
            return combinedFailureText(albumsFilter, tracksFilter);
        }
        tracks_->setFiltered(false);
    }
    albums_->setOrder(tagOf(settings_.order));
    albums_->first();
    if (settings_.includePlaylists) {
        playlist_ =
            std::make_unique<xbase::Cursor>(openTable(catalogue::kPlaylist.fileName, xbase::OpenMode::Shared));
        playlist_->setOrder(kPlaylistTag);
    }
    return {};
}

void RecordSelection::selectThroughTracks(const std::string& tracksFilter)
{
    // Joins the table the albums cursor has open.
    std::shared_ptr<xbase::Table> source = openTable(catalogue::kAlbums.fileName, xbase::OpenMode::Shared);
    albums_.reset();
    const std::string tempPath = catalogue::filePathNoCase(dir_, catalogue::kReportTempFile);
    source->copyStructure(tempPath);
    std::shared_ptr<xbase::Table> temp = xbase::Table::open(tempPath, xbase::OpenMode::Exclusive, fs_);

    xbase::Cursor byId(source);
    byId.setOrder(kIdTag);
    if (tracks_->filterText() != tracksFilter || !tracks_->filtered()) {
        tracks_->setFilter(tracksFilter);
        tracks_->setFiltered(true);
    }
    const int fieldCount = static_cast<int>(source->fields().size());
    const std::vector<std::uint8_t> blank = temp->blankRecord();
    std::vector<std::uint8_t> record;
    std::unordered_set<std::string> copied;
    for (bool more = tracks_->first(); more; more = tracks_->next()) {
        std::string id = tracks_->field("ID");
        if (copied.contains(id) || !byId.seek(id))
            continue;
        const std::uint8_t* album = source->record(byId.recno());
        record = blank;
        for (int i = 0; i < fieldCount; ++i)
            temp->setFieldText(record.data(), i, source->fieldText(album, i));
        temp->append(record.data());
        copied.insert(std::move(id));
    }
    catalogue::buildAlbumTags(*temp);

    albums_ = std::make_unique<xbase::Cursor>(temp);
    if (!settings_.albumsFilter.empty()) {
        albums_->setFilter(settings_.albumsFilter);
        albums_->setFiltered(true);
    }
}

}  // namespace reports
