#include "catalogue/index_builder.h"

#include "xbase/cdx_index.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

std::string_view stemOf(std::string_view fileName) { return fileName.substr(0, fileName.find('.')); }

}  // namespace

void buildTags(xbase::Table& table, const TableDef& def, const xbase::RecordProgress& progress)
{
    xbase::CdxIndex& index = table.index() ? *table.index() : table.createIndex();
    for (const TagDef& tag : def.tags)
        if (!tag.name.empty())
            index.createTag(tag.name, tag.expression, {}, progress);
    table.flush();
}

void buildIndexes(xbase::Table& table, const StatusReport& status, const xbase::RecordProgress& progress)
{
    const std::string name = xbase::baseName(table.path());
    for (const TableDef* def : kCatalogueTables) {
        if (xbase::equalsNoCase(stemOf(def->fileName), name)) {
            if (status)
                status(std::string(kCreatingIndexText) + std::string(stemOf(def->fileName)));
            buildTags(table, *def, progress);
            return;
        }
    }
    throw xbase::XbaseError(table.path() + ": not one of the catalogue tables, so it has no catalogue tags");
}

void buildAlbumTags(xbase::Table& table) { buildTags(table, kAlbums); }

bool isIndexFailure(const std::exception& error, const std::string& indexPath)
{
    return std::string_view(error.what()).starts_with(indexPath + ":");
}

std::shared_ptr<xbase::Table> openForIndexRebuild(const std::string& tablePath, xbase::FileSystem& fs)
{
    const std::string index = xbase::siblingPath(fs, tablePath, "cdx");
    try {
        return xbase::Table::open(tablePath, xbase::OpenMode::Exclusive, fs);
    } catch (const xbase::XbaseError& e) {
        // The lock is taken before the index is read, so an index failure
        // means no one else has the table open.
        if (!fs.exists(index) || !isIndexFailure(e, index))
            throw;
    }
    fs.remove(index);
    return xbase::Table::open(tablePath, xbase::OpenMode::Exclusive, fs);
}

}  // namespace catalogue
