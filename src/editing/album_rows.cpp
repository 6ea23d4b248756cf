#include "editing/album_rows.h"

#include "xbase/cdx_index.h"
#include "xbase/xbase_error.h"

namespace editing {
namespace {

constexpr std::size_t kIdWidth = 8;

}  // namespace

std::string idKey(std::string_view id)
{
    std::string key(id.substr(0, kIdWidth));
    key.resize(kIdWidth, ' ');
    return key;
}

std::vector<std::uint32_t> liveRecordsByKey(const xbase::Table& table, std::string_view tag, std::string_view prefix)
{
    const xbase::CdxTag* found = table.index() ? table.index()->tag(tag) : nullptr;
    if (!found)
        throw xbase::XbaseError(table.path() + ": the index has no tag " + std::string(tag));
    std::vector<std::uint32_t> recnos;
    for (auto p = found->lowerBound(prefix, 0); !p.atEnd() && found->key(p).starts_with(prefix); p = found->next(p)) {
        const std::uint32_t recno = found->recno(p);
        if (!table.isDeleted(recno))
            recnos.push_back(recno);
    }
    return recnos;
}

}  // namespace editing
