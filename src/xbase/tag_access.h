#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "xbase/table.h"

namespace xbase {

// The index tags of a table as cursors use them. Each throws XbaseError when
// the table has no tag of that name (case ignored).

// The tag's name as stored.
std::string tagName(Table& table, std::string_view tag);
// The tag's key expression.
std::string tagExpression(Table& table, std::string_view tag);
// Visits the tag's entries in order (deleted records included), from the
// first not below (`from`, `fromRecno`), until `visit` returns false.
void walkTag(Table& table, std::string_view tag, std::string_view from,
             const std::function<bool(std::uint32_t recno, std::string_view key)>& visit,
             std::uint32_t fromRecno = 0);

}  // namespace xbase

namespace xbase {

// Gives the table at `otherPath` (same fields) a new structural index with
// the tags of `table`'s index, built from its records, and syncs it.
void rebuildIndexBeside(Table& table, const std::string& otherPath);

}  // namespace xbase
