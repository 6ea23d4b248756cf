#pragma once

#include <string>
#include <string_view>

#include "xbase/cdx_tag.h"
#include "xbase/table.h"

namespace xbase {

// The tag of the table's index named `tag` (case ignored), as cursors use
// it. Throws XbaseError when the table has no such tag.
CdxTag& orderTag(Table& table, std::string_view tag);

}  // namespace xbase

namespace xbase {

// Gives the table at `otherPath` (same fields) a new structural index with
// the tags of `table`'s index, built from its records, and syncs it.
void rebuildIndexBeside(Table& table, const std::string& otherPath);

}  // namespace xbase
