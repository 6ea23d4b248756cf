#include "maintenance/reindex.h"

#include <initializer_list>

#include "catalogue/catalogue_schema.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "catalogue/rollback_journal.h"
#include "xbase/cdx_index.h"

namespace maintenance {
namespace {

using catalogue::TableView;
using catalogue::TDM;

constexpr std::string_view kIdOrder = "ID";

void closeAll(std::initializer_list<TableView*> views)
{
    for (TableView* view : views)
        view->close();
}

// The views on it are closed. An emptied index first: the old tags may be
// what is damaged, and the pack would otherwise rebuild them only to have
// them replaced.
void rebuildTable(TDM& dm, const catalogue::TableDef& def, std::initializer_list<TableView*> views)
{
    closeAll(views);
    {
        auto table = catalogue::openForIndexRebuild(catalogue::filePathNoCase(dm.programDir(), def.fileName),
                                                    dm.fileSystem());
        table->createIndex();
        table->pack();
        catalogue::buildIndexes(*table, [&dm](const std::string& text) { dm.status(text); });
    }
    for (TableView* view : views)
        view->open();
}

}  // namespace

void reindexCatalogue(TDM& dm)
{
    dm.status(std::string(kMaintenanceText));
    dm.tblTView().close();
    catalogue::removeFileNoCase(dm.programDir(), catalogue::kTView.fileName);
    dm.tblFilter().close();
    dm.tblCD().close();
    if (catalogue::RollbackJournal::pending(dm.programDir(), dm.fileSystem())) {
        closeAll({&dm.tblAlbums(), &dm.tblTracks(), &dm.tblPlayList(), &dm.tblArtists()});
        catalogue::RollbackJournal::recover(dm.programDir(), dm.fileSystem(),
                                            [&dm](const std::string& text) { dm.status(text); });
    }

    TableView& albums = dm.tblAlbums();
    const std::string order = albums.order();
    const std::string id = albums.isOpen() && !albums->eof() ? albums->field("ID") : std::string();

    rebuildTable(dm, catalogue::kAlbums, {&albums});
    rebuildTable(dm, catalogue::kTracks, {&dm.tblTracks()});
    rebuildTable(dm, catalogue::kPlaylist, {&dm.tblPlayList()});
    rebuildTable(dm, catalogue::kArtists, {&dm.tblArtists()});

    albums.setOrder(kIdOrder);
    if (id.empty() || !albums->seek(id))
        albums->first();
    albums.setOrder(order);
    dm.tblFilter().open();
    dm.tblCD().open();
    dm.status("");
}

}  // namespace maintenance
