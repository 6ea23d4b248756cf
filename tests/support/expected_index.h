#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

// A <T>.tag.<TAG>.all/live.txt file: metadata and entries in tag order,
// keys unescaped with their trailing blanks removed.
struct ExpectedTag {
    std::string expression;
    std::string forExpression;
    int keyLength = 0;
    std::vector<std::pair<std::uint32_t, std::string>> entries;
};
ExpectedTag readExpectedTag(const std::string& path);

// One line of a <T>.seeks.txt file; the key unescaped and not trimmed.
struct ExpectedSeek {
    std::string tag;
    bool hideDeleted = false;
    bool soft = false;
    std::string key;
    bool found = false;
    bool eof = false;
    std::uint32_t recno = 0;
};
std::vector<ExpectedSeek> readExpectedSeeks(const std::string& path);

// The "tag" lines of a <T>.cdx.txt file in header order: name and its
// name=value fields.
std::vector<std::pair<std::string, std::map<std::string, std::string>>> readExpectedCdxTags(const std::string& path);

// A key with its trailing blanks removed, as the expected files list it.
std::string trimmedKey(std::string_view key);

}  // namespace test_support
