#include "support/expected_index.h"

#include <sstream>
#include <stdexcept>

#include "support/fixture_files.h"
#include "text_escape.h"

namespace test_support {
namespace {

std::vector<std::string> allLines(const std::string& path)
{
    std::istringstream in(readFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

std::string trimmedKey(std::string_view key)
{
    while (!key.empty() && key.back() == ' ')
        key.remove_suffix(1);
    return std::string(key);
}

ExpectedTag readExpectedTag(const std::string& path)
{
    ExpectedTag tag;
    for (const std::string& line : allLines(path)) {
        if (line.empty())
            continue;
        std::vector<std::string> cells = splitTabs(line);
        if (line[0] == '#') {
            if (cells[0] == "# expression")
                tag.expression = cells.at(1);
            else if (cells[0] == "# for")
                tag.forExpression = cells.at(1);
            else if (cells[0] == "# key_length")
                tag.keyLength = std::stoi(cells.at(1));
            continue;
        }
        if (cells.size() != 2)
            throw std::runtime_error(path + ": bad line " + line);
        tag.entries.emplace_back(std::uint32_t(std::stoul(cells[0])), vinora_dbf::unescape(cells[1]));
    }
    return tag;
}

std::vector<ExpectedSeek> readExpectedSeeks(const std::string& path)
{
    std::vector<ExpectedSeek> seeks;
    for (const std::string& line : dataLines(path)) {
        std::vector<std::string> c = splitTabs(line);
        if (c.size() != 7)
            throw std::runtime_error(path + ": bad line " + line);
        seeks.push_back({c[0], c[1] == "on", c[2] == "1", vinora_dbf::unescape(c[3]), c[4] == "1", c[5] == "1",
                         std::uint32_t(std::stoul(c[6]))});
    }
    return seeks;
}

std::vector<std::pair<std::string, std::map<std::string, std::string>>> readExpectedCdxTags(const std::string& path)
{
    std::vector<std::pair<std::string, std::map<std::string, std::string>>> tags;
    for (const std::string& line : dataLines(path)) {
        std::vector<std::string> c = splitTabs(line);
        if (c[0] != "tag")
            continue;
        std::map<std::string, std::string> fields;
        for (std::size_t i = 2; i < c.size(); ++i) {
            std::size_t eq = c[i].find('=');
            fields[c[i].substr(0, eq)] = c[i].substr(eq + 1);
        }
        tags.emplace_back(c.at(1), std::move(fields));
    }
    return tags;
}

}  // namespace test_support
