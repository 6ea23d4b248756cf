#include "maintenance/album_deletion.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "catalogue/rollback_journal.h"
#include "maintenance/reindex.h"
#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace maintenance {
namespace {

using catalogue::TableView;

constexpr std::size_t kIdWidth = 8;

// The live records of `table` whose key in `tag` (led by the ID field)
// belongs to album `id`, read from the tag itself.
std::vector<std::uint32_t> albumRows(const xbase::Table& table, std::string_view tag, const std::string& id)
{
    std::string key = id.substr(0, kIdWidth);
    key.resize(kIdWidth, ' ');
    const xbase::CdxTag* found = table.index() ? table.index()->tag(tag) : nullptr;
    if (!found)
        throw xbase::XbaseError(table.path() + ": the index has no tag " + std::string(tag));
    std::vector<std::uint32_t> rows;
    for (auto p = found->lowerBound(key, 0); !p.atEnd() && found->key(p).starts_with(key); p = found->next(p))
        if (!table.isDeleted(found->recno(p)))
            rows.push_back(found->recno(p));
    return rows;
}

// A table's rows to delete.
struct DoomedRows {
    xbase::Table* table;
    std::vector<std::uint32_t> rows;
};

}  // namespace

bool AlbumDeletion::run()
{
    if (!catalogue_.albums().isOpen() || catalogue_.albums()->eof())
        return false;
    if (!prompter_.confirm(std::string(kDeleteQuestion), common::Prompter::Buttons::OkCancel))
        return false;
    catalogue_.status(std::string(kDeletingText));
    catalogue_.tracksView().close();
    catalogue::removeFileNoCase(catalogue_.programDir(), catalogue::kTView.fileName);
    const std::string id = catalogue_.albums()->field("ID");
    std::vector<std::string> notices;
    runStep_(std::string(kDeletingText), false, [&](common::Progress& progress) {
        markDeleted(id);
        notices = packAll(progress);
    });
    catalogue_.status("");
    for (const std::string& notice : notices)
        prompter_.info(notice);
    return true;
}

void AlbumDeletion::markDeleted(const std::string& id)
{
    const std::string& dir = catalogue_.programDir();
    xbase::FileSystem& fs = catalogue_.fileSystem();
    const auto status = [this](const std::string& text) { catalogue_.status(text); };
    std::vector<TableView*> views{&catalogue_.albums(),   &catalogue_.albumLookup(), &catalogue_.currentAlbumTracks(),
                                  &catalogue_.allTracks(), &catalogue_.playlist(),    &catalogue_.artists()};
    const std::uint32_t albumRecno = catalogue_.albums()->recno();
    // A pack renumbers rows: what an unfinished change journalled must be
    // put back first.
    if (catalogue::RollbackJournal::pending(dir, fs)) {
        for (TableView* view : views)
            view->close();
        catalogue::RollbackJournal::recover(dir, fs, status);
        for (TableView* view : views)
            view->open();
    }
    // Dependent rows first, so that each table is whole on its own.
    xbase::Table& albums = catalogue_.albums()->table();
    const std::vector<DoomedRows> doomed{
        {&catalogue_.currentAlbumTracks()->table(), albumRows(catalogue_.currentAlbumTracks()->table(), "Tracks", id)},
        {&catalogue_.playlist()->table(), albumRows(catalogue_.playlist()->table(), "Playlist", id)},
        {&catalogue_.artists()->table(), albumRows(catalogue_.artists()->table(), "ID", id)},
        {&albums, {albumRecno}},
    };
    catalogue::RollbackJournal journal(dir, fs);
    for (const DoomedRows& part : doomed) {
        journal.keepTable(*part.table);
        for (std::uint32_t recno : part.rows)
            journal.keepRecord(*part.table, recno);
    }
    journal.write();
    try {
        for (const DoomedRows& part : doomed)
            for (std::uint32_t recno : part.rows)
                part.table->setDeleted(recno, true);
        journal.commit();
    } catch (const xbase::XbaseError&) {
        for (TableView* view : views)
            view->close();
        // A rollback that fails leaves the journal for the next start.
        journal.rollBack(status);
        for (TableView* view : views)
            view->open();
        throw;
    }
}

std::vector<std::string> AlbumDeletion::packAll(common::Progress& progress)
{
    std::vector<std::string> notices;
    const std::vector<std::pair<const catalogue::TableDef*, std::vector<TableView*>>> tables{
        {&catalogue::kTracks, {&catalogue_.currentAlbumTracks(), &catalogue_.allTracks()}},
        {&catalogue::kPlaylist, {&catalogue_.playlist()}},
        {&catalogue::kArtists, {&catalogue_.artists()}},
        {&catalogue::kAlbums, {&catalogue_.albums(), &catalogue_.albumLookup()}},
    };
    std::size_t total = 0;
    for (const auto& [def, views] : tables)
        total += views.front()->isOpen() ? views.front()->cursor().table().recordCount() : 0;
    std::size_t base = 0;
    for (const auto& [def, views] : tables) {
        for (TableView* view : views)
            view->close();
        {
            auto table = xbase::Table::open(catalogue::filePathNoCase(catalogue_.programDir(), def->fileName),
                                            xbase::OpenMode::Exclusive, catalogue_.fileSystem());
            const std::size_t count = table->recordCount();
            const auto losses = table->pack(
                [&](std::size_t done, std::size_t) { progress.advance(std::min(base + done, total), total); });
            if (losses.rowsWithLostMemos > 0)
                notices.push_back(lostNotesNotice(table->path(), losses));
            base += count;
        }
        for (TableView* view : views)
            view->open();
    }
    progress.advance(total, total);
    // What the views changed since is written too, in the catalogue's order.
    for (TableView* view : {&catalogue_.albums(), &catalogue_.currentAlbumTracks(), &catalogue_.playlist(),
                            &catalogue_.artists()})
        view->cursor().table().flush();
    return notices;
}

}  // namespace maintenance
