#include "catalogue/catalogue_creator.h"

#include "catalogue/data_module.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

std::string_view stemOf(const TableDef& def) { return def.fileName.substr(0, def.fileName.find('.')); }

std::string indexFileName(const TableDef& def) { return std::string(stemOf(def)) + ".CDX"; }

}  // namespace

void CatalogueCreator::run()
{
    for (const TableDef* def : kCatalogueTables)
        dropDamagedIndex(*def);

    if (!tableExists(kAlbums)) {
        dm_.status(std::string(kCreatingDataFilesText));
        createTable(kAlbums);
    }
    for (const TableDef* def : {&kPlaylist, &kTracks, &kArtists})
        if (!tableExists(*def))
            createTable(*def);

    if (!indexExists(kAlbums)) {
        // Their keys were made against the albums the lost index described.
        removeIndex(kTracks);
        removeIndex(kPlaylist);
        buildIndexesOf(kAlbums);
    }
    if (!indexExists(kTracks)) {
        buildIndexesOf(kTracks);
        openAtFirst(dm_.tblTracks(), "Tracks");
    }
    dm_.tblCD().setOrder("Tracks");
    dm_.tblCD().open();
    if (!indexExists(kArtists)) {
        buildIndexesOf(kArtists);
        openAtFirst(dm_.tblArtists(), "ID");
    }
    if (!indexExists(kPlaylist))
        buildIndexesOf(kPlaylist);

    openAtFirst(dm_.tblAlbums(), "Artist");
    openAtFirst(dm_.tblPlayList(), "Playlist");
    openAtFirst(dm_.tblTracks(), "Tracks");
    openAtFirst(dm_.tblArtists(), "ID");
    openAtFirst(dm_.tblFilter(), "ID");
}

bool CatalogueCreator::tableExists(const TableDef& def) const
{
    return dm_.isFileOpen(def.fileName) || !findFileNoCase(dm_.programDir(), def.fileName).empty();
}

std::string CatalogueCreator::tablePath(const TableDef& def) const
{
    return filePathNoCase(dm_.programDir(), def.fileName);
}

// The index the engine opens with the table, so that "exists" here and
// "loaded" there agree.
std::string CatalogueCreator::indexPath(const TableDef& def) const
{
    return xbase::siblingPath(dm_.fileSystem(), tablePath(def), "cdx");
}

bool CatalogueCreator::indexExists(const TableDef& def) const
{
    return dm_.fileSystem().exists(indexPath(def));
}

void CatalogueCreator::removeIndex(const TableDef& def) const { removeFileNoCase(dm_.programDir(), indexFileName(def)); }

void CatalogueCreator::dropDamagedIndex(const TableDef& def) const
{
    if (dm_.isFileOpen(def.fileName) || findFileNoCase(dm_.programDir(), def.fileName).empty())
        return;
    const std::string index = indexPath(def);
    if (!dm_.fileSystem().exists(index))
        return;
    if (check_ == IndexCheck::Full)
        dm_.status(std::string(kCheckingIndexText) + std::string(stemOf(def)) + " ...");
    if (!indexDamaged(def, index))
        return;
    dm_.status(std::string(kIndexDamagedText) + std::string(stemOf(def)));
    dm_.fileSystem().remove(index);
}

bool CatalogueCreator::indexDamaged(const TableDef& def, const std::string& index) const
{
    if (!xbase::CdxChecker::checkHeader(dm_.fileSystem(), index).empty())
        return true;
    try {
        auto table = xbase::Table::open(tablePath(def), xbase::OpenMode::Shared, dm_.fileSystem());
        for (const TagDef& tag : def.tags)
            if (!tag.name.empty() && (!table->index() || !table->index()->tag(tag.name)))
                return true;
        return check_ == IndexCheck::Full && !xbase::CdxChecker::check(*table->index()).empty();
    } catch (const xbase::XbaseError& e) {
        // The engine names the file that failed: only the index's own
        // failures make it disposable; a damaged table is the user's to see.
        if (isIndexFailure(e, index))
            return true;
        throw;
    }
}

void CatalogueCreator::createTable(const TableDef& def) const
{
    removeIndex(def);
    xbase::Table::create(joinPath(dm_.programDir(), def.fileName), xbase::parseCreationList(def.creationList),
                         dm_.fileSystem());
}

void CatalogueCreator::buildIndexesOf(const TableDef& def) const
{
    auto table = xbase::Table::open(tablePath(def), xbase::OpenMode::Exclusive, dm_.fileSystem());
    buildIndexes(*table, [this](const std::string& text) { dm_.status(text); });
}

void CatalogueCreator::openAtFirst(TableView& view, std::string_view order)
{
    view.setOrder(order);
    view.open();
    view->first();
}

}  // namespace catalogue
