#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace catalogue {

// Replaces the file at `path` whole or not at all: `write` fills a temporary
// file beside it, which is synced and then takes the name. When writing
// fails or `write` throws, the temporary goes and the old file stays.
// `what` names the file in messages ("the playlist"). Throws
// xbase::XbaseError, or what `write` threw.
void replaceFile(const std::string& path, std::string_view what, const std::function<void(std::ostream&)>& write);

// replaceFile with the whole content at hand.
void replaceFile(const std::string& path, std::string_view what, std::string_view content);

}  // namespace catalogue
