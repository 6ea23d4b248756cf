#include "maintenance/reindex.h"

#include <initializer_list>

#include "catalogue/catalogue_schema.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "catalogue/rollback_journal.h"
#include "maintenance/reindex_progress.h"
#include "xbase/cdx_index.h"
#include "xbase/file_names.h"

namespace maintenance {
namespace {

using catalogue::Catalogue;
using catalogue::TableView;

constexpr std::string_view kIdOrder = "ID";

void closeAll(std::initializer_list<TableView*> views)
{
    for (TableView* view : views)
        view->close();
}

// The views on it are closed. An emptied index first: the old tags may be
// what is damaged, and the pack would otherwise rebuild them only to have
// them replaced.
void rebuildTable(Catalogue& catalogue, const catalogue::TableDef& def, std::initializer_list<TableView*> views,
                  ReindexProgress& progress, std::vector<std::string>* notices)
{
    closeAll(views);
    {
        auto table = catalogue::openForIndexRebuild(catalogue::filePathNoCase(catalogue.programDir(), def.fileName),
                                                    catalogue.fileSystem());
        table->createIndex();
        const std::size_t before = table->recordCount();
        const xbase::Table::PackLosses losses = table->pack(progress.pass());
        if (losses.rowsWithLostMemos > 0 && notices)
            notices->push_back(lostNotesNotice(table->path(), losses));
        progress.passed(before);
        catalogue::buildIndexes(
            *table, [&catalogue](const std::string& text) { catalogue.status(text); }, progress.pass());
        progress.passed(table->recordCount() * ReindexProgress::tagCount(def));
    }
    for (TableView* view : views)
        view->open();
}

}  // namespace

std::string lostNotesNotice(const std::string& tablePath, const xbase::Table::PackLosses& losses)
{
    return "The notes of " + std::to_string(losses.rowsWithLostMemos) + " rows of " + xbase::baseName(tablePath) +
           " lay past the end of its damaged memo file; they are left empty.\rThe old memo file is kept as\r" +
           losses.keptMemoFile;
}

bool reindexCatalogue(Catalogue& catalogue, common::Progress* progress, std::vector<std::string>* notices)
{
    catalogue.status(std::string(kMaintenanceText));
    catalogue.tracksView().close();
    catalogue::removeFileNoCase(catalogue.programDir(), catalogue::kTView.fileName);
    catalogue.albumLookup().close();
    catalogue.allTracks().close();
    if (catalogue::RollbackJournal::pending(catalogue.programDir(), catalogue.fileSystem())) {
        closeAll({&catalogue.albums(), &catalogue.currentAlbumTracks(), &catalogue.playlist(), &catalogue.artists()});
        catalogue::RollbackJournal::recover(catalogue.programDir(), catalogue.fileSystem(),
                                            [&catalogue](const std::string& text) { catalogue.status(text); });
    }

    TableView& albums = catalogue.albums();
    const std::string order = albums.order();
    const std::string id = albums.isOpen() && !albums->eof() ? albums->field("ID") : std::string();

    ReindexProgress run(catalogue, progress);
    const std::pair<const catalogue::TableDef*, TableView*> tables[] = {
        {&catalogue::kAlbums, &albums},
        {&catalogue::kTracks, &catalogue.currentAlbumTracks()},
        {&catalogue::kPlaylist, &catalogue.playlist()},
        {&catalogue::kArtists, &catalogue.artists()},
    };
    bool cancelled = false;
    for (const auto& [def, view] : tables) {
        // Between two tables every file stands on its own.
        if ((cancelled = run.cancelRequested()))
            break;
        rebuildTable(catalogue, *def, {view}, run, notices);
    }
    if (cancelled)
        for (const auto& [def, view] : tables)
            view->open();
    run.finish();

    albums.setOrder(kIdOrder);
    if (id.empty() || !albums->seek(id))
        albums->first();
    albums.setOrder(order);
    catalogue.albumLookup().open();
    catalogue.allTracks().open();
    catalogue.status("");
    return !cancelled;
}

}  // namespace maintenance
