#include <cctype>

#include "xbase/field.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

constexpr std::size_t kMaxNameLength = 10;
constexpr int kMaxCharWidth = 254;
constexpr std::uint16_t kMemoWidth = 10;

std::string trim(std::string_view s)
{
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

FieldSpec parseEntry(std::string_view entry)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = entry.find(',', start);
        parts.push_back(trim(entry.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    const std::string where = "field list entry \"" + std::string(entry) + "\": ";
    FieldSpec spec;
    spec.name = parts[0];
    if (spec.name.empty() || spec.name.size() > kMaxNameLength || !std::isalpha(static_cast<unsigned char>(spec.name[0])))
        throw XbaseError(where + "a field name needs 1 to 10 characters and must start with a letter");
    for (char c : spec.name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            throw XbaseError(where + "a field name may hold only letters, digits and '_'");
    if (parts.size() < 2)
        throw XbaseError(where + "the field type is missing");
    if (equalsNoCase(parts[1], "Char") || equalsNoCase(parts[1], "Character")) {
        spec.type = 'C';
        if (parts.size() != 3)
            throw XbaseError(where + "a Char field needs a width");
        int width = 0;
        for (char c : parts[2]) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || width > kMaxCharWidth)
                throw XbaseError(where + "the width must be a number from 1 to 254");
            width = width * 10 + (c - '0');
        }
        if (width < 1 || width > kMaxCharWidth)
            throw XbaseError(where + "the width must be a number from 1 to 254");
        spec.length = static_cast<std::uint16_t>(width);
    } else if (equalsNoCase(parts[1], "Memo")) {
        if (parts.size() > 3 || (parts.size() == 3 && !parts[2].empty() && parts[2] != "10"))
            throw XbaseError(where + "a Memo field takes no width");
        spec.type = 'M';
        spec.length = kMemoWidth;
    } else {
        throw XbaseError(where + "unknown field type \"" + parts[1] + "\" (Char or Memo)");
    }
    return spec;
}

}  // namespace

std::vector<FieldSpec> parseCreationList(std::string_view list)
{
    std::vector<FieldSpec> fields;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t semi = list.find(';', start);
        std::string_view entry = list.substr(start, semi == std::string_view::npos ? semi : semi - start);
        if (!trim(entry).empty()) {
            FieldSpec spec = parseEntry(entry);
            for (const FieldSpec& f : fields)
                if (equalsNoCase(f.name, spec.name))
                    throw XbaseError("field list: field \"" + spec.name + "\" appears twice");
            fields.push_back(std::move(spec));
        }
        if (semi == std::string_view::npos)
            break;
        start = semi + 1;
    }
    if (fields.empty())
        throw XbaseError("field list is empty");
    return fields;
}

}  // namespace xbase
