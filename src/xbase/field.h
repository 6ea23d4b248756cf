#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// One field descriptor as stored in the table header.
struct Field {
    std::string name;        // as stored: upper case, at most 10 characters
    char type = 'C';         // 'C' char, 'M' memo, 'N' numeric, 'D' date, 'L' logical, 'I' integer, ...
    std::uint16_t length = 0;
    std::uint8_t decimals = 0;
    std::uint32_t offset = 0;  // in the record; byte 0 is the deletion flag
};

// A field as asked for when creating a table.
struct FieldSpec {
    std::string name;
    char type = 'C';
    std::uint16_t length = 0;
    std::uint8_t decimals = 0;
};

// Parses a creation list such as "Album,Char,50;Notes,Memo;". Types are
// Char (needs a width of 1..254) and Memo (width 10); names are 1..10
// characters of letters, digits and '_', starting with a letter.
// Throws XbaseError naming the offending entry.
std::vector<FieldSpec> parseCreationList(std::string_view list);

// Gives an expression access to the fields of a record buffer.
class RecordLayout {
public:
    virtual ~RecordLayout() = default;
    virtual const std::vector<Field>& fields() const = 0;
    // Index of the field named `name` (case ignored), or -1.
    virtual int fieldIndex(std::string_view name) const = 0;
    // Full text of memo field `field` of the record; empty when it has none.
    virtual std::string memoText(const std::uint8_t* record, int field) const = 0;
};

}  // namespace xbase
