#pragma once

#include <string>
#include <string_view>

#include "xbase/file.h"

namespace xbase {

// The file beside `path` with extension `ext` (given in lower case): upper
// case when the table's own extension is upper case (ALBUMS.DBF ->
// ALBUMS.FPT), else lower case; when only another spelling exists (of the
// extension or the stem), that one.
std::string siblingPath(FileSystem& fs, const std::string& path, std::string_view ext);

// The file name without folder and extension ("ALBUMS" for "/x/ALBUMS.DBF").
std::string baseName(const std::string& path);

// `path` with `suffix` added to its stem ("ALBUMS.DBF", "~P" -> "ALBUMS~P.DBF"):
// the name of a temporary file beside it.
std::string withStemSuffix(const std::string& path, std::string_view suffix);

bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace xbase
