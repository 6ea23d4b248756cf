#include "catalogue/catalogue_creator.h"

#include "catalogue/catalogue.h"
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
        catalogue_.status(std::string(kCreatingDataFilesText));
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
        openAtFirst(catalogue_.currentAlbumTracks(), "Tracks");
    }
    catalogue_.allTracks().setOrder("Tracks");
    catalogue_.allTracks().open();
    if (!indexExists(kArtists)) {
        buildIndexesOf(kArtists);
        openAtFirst(catalogue_.artists(), "ID");
    }
    if (!indexExists(kPlaylist))
        buildIndexesOf(kPlaylist);

    openAtFirst(catalogue_.albums(), "Artist");
    openAtFirst(catalogue_.playlist(), "Playlist");
    openAtFirst(catalogue_.currentAlbumTracks(), "Tracks");
    openAtFirst(catalogue_.artists(), "ID");
    openAtFirst(catalogue_.albumLookup(), "ID");
}

bool CatalogueCreator::tableExists(const TableDef& def) const
{
    return catalogue_.isFileOpen(def.fileName) || !findFileNoCase(catalogue_.programDir(), def.fileName).empty();
}

std::string CatalogueCreator::tablePath(const TableDef& def) const
{
    return filePathNoCase(catalogue_.programDir(), def.fileName);
}

// The index the engine opens with the table, so that "exists" here and
// "loaded" there agree.
std::string CatalogueCreator::indexPath(const TableDef& def) const
{
    return xbase::siblingPath(catalogue_.fileSystem(), tablePath(def), "cdx");
}

bool CatalogueCreator::indexExists(const TableDef& def) const
{
    return catalogue_.fileSystem().exists(indexPath(def));
}

void CatalogueCreator::removeIndex(const TableDef& def) const
{
    removeFileNoCase(catalogue_.programDir(), indexFileName(def));
}

void CatalogueCreator::dropDamagedIndex(const TableDef& def) const
{
    if (catalogue_.isFileOpen(def.fileName) || findFileNoCase(catalogue_.programDir(), def.fileName).empty())
        return;
    const std::string index = indexPath(def);
    if (!catalogue_.fileSystem().exists(index))
        return;
    if (check_ == IndexCheck::Full)
        catalogue_.status(std::string(kCheckingIndexText) + std::string(stemOf(def)) + " ...");
    if (!indexDamaged(def, index))
        return;
    catalogue_.status(std::string(kIndexDamagedText) + std::string(stemOf(def)));
    catalogue_.fileSystem().remove(index);
}

bool CatalogueCreator::indexDamaged(const TableDef& def, const std::string& index) const
{
    if (!xbase::CdxChecker::checkHeader(catalogue_.fileSystem(), index).empty())
        return true;
    try {
        auto table = xbase::Table::open(tablePath(def), xbase::OpenMode::Shared, catalogue_.fileSystem());
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
    xbase::Table::create(joinPath(catalogue_.programDir(), def.fileName), xbase::parseCreationList(def.creationList),
                         catalogue_.fileSystem());
}

void CatalogueCreator::buildIndexesOf(const TableDef& def) const
{
    auto table = xbase::Table::open(tablePath(def), xbase::OpenMode::Exclusive, catalogue_.fileSystem());
    buildIndexes(*table, [this](const std::string& text) { catalogue_.status(text); });
}

void CatalogueCreator::openAtFirst(TableView& view, std::string_view order)
{
    view.setOrder(order);
    view.open();
    view->first();
}

}  // namespace catalogue
