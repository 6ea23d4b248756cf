#include "xbase/tag_access.h"

#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace xbase {

CdxTag& orderTag(Table& table, std::string_view tag)
{
    CdxTag* found = table.index() ? table.index()->tag(tag) : nullptr;
    if (!found)
        throw XbaseError(table.path() + ": there is no index tag named \"" + std::string(tag) + "\"");
    return *found;
}

void rebuildIndexBeside(Table& table, const std::string& otherPath)
{
    auto other = Table::open(otherPath, OpenMode::Exclusive, table.fileSystem());
    CdxIndex& index = other->createIndex();
    CdxIndex& source = *table.index();
    for (std::size_t i = 0; i < source.tagCount(); ++i) {
        const CdxTag& tag = source.tagAt(i);
        index.createTag(tag.name(), tag.expression(), tag.forExpression());
    }
    other->flush();
}

}  // namespace xbase
