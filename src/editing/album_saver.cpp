#include "editing/album_saver.h"

#include <optional>

#include "catalogue/album_codes.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/display_text.h"
#include "catalogue/program_files.h"
#include "common/trim_and_case.h"
#include "editing/album_rows.h"
#include "editing/closed_views.h"
#include "editing/edit_form_texts.h"
#include "editing/multi_artist.h"
#include "editing/track_time.h"
#include "xbase/xbase_error.h"

namespace editing {
namespace {

constexpr int kNumberWidth = 3;
constexpr unsigned char kLastRevisionChar = 126;
constexpr char kHighRevisionChar = '~';

std::string trimmed(std::string_view text) { return std::string(common::trimmed(text)); }

std::string revisionField(const std::string& revision)
{
    if (revision.empty())
        return "0";
    return static_cast<unsigned char>(revision[0]) > kLastRevisionChar ? std::string(1, kHighRevisionChar)
                                                                       : revision.substr(0, 1);
}

// A record of `table` with the named fields set: a new one (the others
// blank) or a copy of record `recno` (the others as they were).
class RecordBuilder {
public:
    explicit RecordBuilder(xbase::Table& table) : table_(table), rec_(table.blankRecord()) {}
    RecordBuilder(xbase::Table& table, std::uint32_t recno)
        : table_(table), rec_(table.record(recno), table.record(recno) + table.recordLength())
    {
    }
    RecordBuilder& set(std::string_view field, std::string_view value)
    {
        table_.setFieldText(rec_.data(), table_.fieldIndex(field), value);
        return *this;
    }
    std::uint32_t append() { return table_.append(rec_.data()); }
    void write(std::uint32_t recno) { table_.write(recno, rec_.data()); }

private:
    xbase::Table& table_;
    std::vector<std::uint8_t> rec_;
};

}  // namespace

SaveResult AlbumSaver::save(const AlbumFormData& data, const std::string& discId)
{
    SaveResult result;
    const std::uint32_t recnoBefore =
        catalogue_.albums().isOpen() && !catalogue_.albums()->eof() ? catalogue_.albums()->recno() : 0;
    if (!recoverEarlierSave(recnoBefore, result))
        return result;
    if (std::optional<KeptRows> kept = journalRows(data, discId, result))
        writeRows(data, *kept, recnoBefore, result);
    return result;
}

bool AlbumSaver::recoverEarlierSave(std::uint32_t recnoBefore, SaveResult& result)
{
    try {
        if (catalogue::RollbackJournal::pending(catalogue_.programDir(), catalogue_.fileSystem()))
            withViewsClosed(recnoBefore, [&] {
                catalogue::RollbackJournal::recover(catalogue_.programDir(), catalogue_.fileSystem(),
                                                    [this](const std::string& text) { catalogue_.status(text); });
            });
        return true;
    } catch (const std::exception& e) {
        result.status = SaveResult::Status::NotUndone;
        result.error = std::string(kEarlierSaveText);
        result.undoError = e.what();
        return false;
    }
}

std::optional<AlbumSaver::KeptRows> AlbumSaver::journalRows(const AlbumFormData& data, const std::string& discId,
                                                            SaveResult& result)
{
    const bool modify = data.mode == lookup::EditMode::Modify;
    try {
        xbase::Table& albums = catalogue_.albums()->table();
        result.id = albumId(data, discId);
        if (result.id.empty()) {
            result.status = SaveResult::Status::NoId;
            return std::nullopt;
        }
        const std::string key = idKey(result.id);
        const std::vector<std::uint32_t> existing = liveRecordsByKey(albums, "ID", key);
        if (!modify && !existing.empty()) {
            result.status = SaveResult::Status::DuplicateId;
            return std::nullopt;
        }
        if (modify && existing.empty())
            throw xbase::XbaseError(albums.path() + ": the album " + result.id + " is no longer in the table");
        KeptRows kept;
        kept.album = modify ? existing.front() : 0;
        removeTrackViewTable();
        catalogue_.allTracks().open();
        catalogue_.artists().open();
        xbase::Table& tracks = catalogue_.allTracks()->table();
        xbase::Table& artists = catalogue_.artists()->table();
        if (modify)
            kept.tracks = liveRecordsByKey(tracks, "Tracks", key);
        kept.artists = liveRecordsByKey(artists, "ID", key);

        catalogue::RollbackJournal& journal = kept.journal.emplace(catalogue_.programDir(), catalogue_.fileSystem());
        journal.keepTable(albums);
        if (modify)
            journal.keepRecord(albums, kept.album);
        journal.keepTable(tracks);
        for (std::uint32_t recno : kept.tracks)
            journal.keepRecord(tracks, recno);
        journal.keepTable(artists);
        for (std::uint32_t recno : kept.artists)
            journal.keepRecord(artists, recno);
        journal.write();
        return kept;
    } catch (const std::exception& e) {
        // Nothing written yet.
        result.status = SaveResult::Status::NotSaved;
        result.error = e.what();
        return std::nullopt;
    }
}

void AlbumSaver::writeRows(const AlbumFormData& data, KeptRows& kept, std::uint32_t recnoBefore, SaveResult& result)
{
    try {
        const std::uint32_t written = writeAlbum(catalogue_.albums()->table(), data, result.id, kept.album);
        if (kept.album == 0)
            catalogue_.albums()->goToRecord(written);
        writeTracks(catalogue_.allTracks()->table(), data, result.id, kept.tracks);
        writeArtists(catalogue_.artists()->table(), data, result.id, kept.artists);
        kept.journal->commit();
    } catch (const std::exception& e) {
        result.status = SaveResult::Status::NotSaved;
        result.error = e.what();
        try {
            withViewsClosed(recnoBefore, [&] {
                kept.journal->rollBack([this](const std::string& text) { catalogue_.status(text); });
            });
        } catch (const std::exception& undo) {
            result.status = SaveResult::Status::NotUndone;
            result.undoError = undo.what();
        }
    }
}

template <class Undo>
void AlbumSaver::withViewsClosed(std::uint32_t albumRecno, Undo undo)
{
    ClosedViews views(catalogue_, {std::string(catalogue::kAlbums.fileName), std::string(catalogue::kTracks.fileName),
                                   std::string(catalogue::kArtists.fileName)});
    std::optional<xbase::XbaseError> failure;
    try {
        undo();
    } catch (const xbase::XbaseError& e) {
        failure = e;
    }
    try {
        views.reopen(albumRecno);
    } catch (const xbase::XbaseError& e) {
        if (!failure)
            failure = e;
    }
    catalogue_.status("");
    if (failure)
        throw *failure;
}

std::string AlbumSaver::albumId(const AlbumFormData& data, const std::string& discId)
{
    switch (data.mode) {
    case lookup::EditMode::Modify:
        return data.albumId;
    case lookup::EditMode::AddOther:
        return catalogue_.nextManualAlbumId();
    case lookup::EditMode::AddFromDrive:
        break;
    }
    return trimmed(discId);
}

// The tracks view builds its work table anew from the changed catalogue.
void AlbumSaver::removeTrackViewTable()
{
    catalogue_.tracksView().close();
    catalogue::removeFileNoCase(catalogue_.programDir(), catalogue::kTView.fileName);
}

std::uint32_t AlbumSaver::writeAlbum(xbase::Table& albums, const AlbumFormData& data, const std::string& id,
                                     std::uint32_t recno)
{
    RecordBuilder album = recno != 0 ? RecordBuilder(albums, recno) : RecordBuilder(albums);
    album.set("Artist", trimmed(data.artist))
        .set("Album", trimmed(data.album))
        .set("Genre", common::lowerAscii(trimmed(data.genre)))
        .set("Label", data.label)
        .set("Media", catalogue::mediaCode(data.media))
        .set("YR", data.year)
        .set("IX", data.index)
        .set("Notes", data.notes)
        .set("Sys", std::string(1, data.source))
        .set("Rev", revisionField(data.revision))
        .set("ID", id);
    if (recno == 0)
        return album.append();
    album.write(recno);
    return recno;
}

void AlbumSaver::writeTracks(xbase::Table& tracks, const AlbumFormData& data, const std::string& id,
                             const std::vector<std::uint32_t>& existing)
{
    if (data.mode == lookup::EditMode::Modify) {
        const int title = tracks.fieldIndex("Track");
        for (std::size_t r = 0; r < data.tracks.size() && r < existing.size(); ++r) {
            const std::uint8_t* old = tracks.record(existing[r]);
            std::vector<std::uint8_t> rec(old, old + tracks.recordLength());
            tracks.setFieldText(rec.data(), title, trimmed(data.tracks[r].title));
            tracks.write(existing[r], rec.data());
        }
        return;
    }
    long nr = 0;
    for (const lookup::TrackRow& row : data.tracks)
        RecordBuilder(tracks)
            .set("ID", id)
            .set("NR", catalogue::numberText(++nr, kNumberWidth))
            .set("Secs", std::to_string(cellSeconds(row.length)))
            .set("Track", trimmed(row.title))
            .append();
}

void AlbumSaver::writeArtists(xbase::Table& artists, const AlbumFormData& data, const std::string& id,
                              const std::vector<std::uint32_t>& existing)
{
    for (std::uint32_t recno : existing)
        artists.setDeleted(recno, true);
    if (!isVarious(data.artist)) {
        RecordBuilder(artists).set("ID", id).set("NR", "").set("Artist", trimmed(data.artist)).append();
        return;
    }
    long nr = 0;
    for (const lookup::TrackRow& row : data.tracks) {
        ++nr;
        if (const auto artist = trackArtist(row.title))
            RecordBuilder(artists)
                .set("ID", id)
                .set("NR", catalogue::numberText(nr, kNumberWidth))
                .set("Artist", *artist)
                .append();
    }
}

}  // namespace editing
