#include "xbase/tag_access.h"

#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

CdxTag& findTag(Table& table, std::string_view tag)
{
    CdxTag* found = table.index() ? table.index()->tag(tag) : nullptr;
    if (!found)
        throw XbaseError(table.path() + ": there is no index tag named \"" + std::string(tag) + "\"");
    return *found;
}

}  // namespace

std::string tagName(Table& table, std::string_view tag) { return findTag(table, tag).name(); }

std::string tagExpression(Table& table, std::string_view tag) { return findTag(table, tag).expression(); }

void walkTag(Table& table, std::string_view tag, std::string_view from,
             const std::function<bool(std::uint32_t recno, std::string_view key)>& visit,
             std::uint32_t fromRecno)
{
    CdxTag& t = findTag(table, tag);
    CdxTag::Position start = from.empty() && fromRecno == 0 ? t.first() : t.lowerBound(from, fromRecno);
    for (CdxTag::Position p = start; !p.atEnd(); p = t.next(p))
        if (!visit(t.recno(p), t.key(p)))
            return;
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
