#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/table.h"

namespace editing {

// The key of `id` in a tag led by the ID field: blank-padded to its width.
std::string idKey(std::string_view id);

// The records (not deleted) whose key in `tag` starts with `prefix`, in tag
// order. Reads the tag itself, so no view's order, filter or row list is
// built or disturbed. Throws xbase::XbaseError when the table has no such
// tag or it cannot be read.
std::vector<std::uint32_t> liveRecordsByKey(const xbase::Table& table, std::string_view tag, std::string_view prefix);

}  // namespace editing
