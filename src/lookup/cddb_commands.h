#pragma once

#include <string>
#include <string_view>

#include "lookup/cddb_hello.h"
#include "platform/disc_toc.h"

// The command texts of the CDDB exchanges, with blanks between their words
// as the line protocol sends them; over HTTP they become the cmd parameter.
namespace lookup {

// "cddb query ID COUNT OFFSET... SECONDS": the frame offset of each track
// and the disc length in seconds, decimal.
// Requires: toc.trackCount > 0.
std::string cddbQueryCommand(std::string_view discId, const platform::DiscToc& toc);

// "cddb read CATEGORY ID"
std::string cddbReadCommand(std::string_view category, std::string_view discId);

// The HTTP request target of `command`: "/~cddb/cddb.cgi?cmd=" + the
// command with "+" for its blanks + the hello and proto parameters.
std::string cddbHttpTarget(std::string_view command, const CddbHello& hello);

}  // namespace lookup
