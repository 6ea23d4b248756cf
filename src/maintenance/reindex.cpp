#include "maintenance/reindex.h"

#include <initializer_list>

#include "catalogue/catalogue_schema.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "catalogue/rollback_journal.h"
#include "xbase/cdx_index.h"

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
void rebuildTable(Catalogue& catalogue, const catalogue::TableDef& def, std::initializer_list<TableView*> views)
{
    closeAll(views);
    {
        auto table = catalogue::openForIndexRebuild(catalogue::filePathNoCase(catalogue.programDir(), def.fileName),
                                                    catalogue.fileSystem());
        table->createIndex();
        table->pack();
        catalogue::buildIndexes(*table, [&catalogue](const std::string& text) { catalogue.status(text); });
    }
    for (TableView* view : views)
        view->open();
}

}  // namespace

void reindexCatalogue(Catalogue& catalogue)
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

    rebuildTable(catalogue, catalogue::kAlbums, {&albums});
    rebuildTable(catalogue, catalogue::kTracks, {&catalogue.currentAlbumTracks()});
    rebuildTable(catalogue, catalogue::kPlaylist, {&catalogue.playlist()});
    rebuildTable(catalogue, catalogue::kArtists, {&catalogue.artists()});

    albums.setOrder(kIdOrder);
    if (id.empty() || !albums->seek(id))
        albums->first();
    albums.setOrder(order);
    catalogue.albumLookup().open();
    catalogue.allTracks().open();
    catalogue.status("");
}

}  // namespace maintenance
