// Fuzzes the table reader with a damaged table and memo file.
// An input is a 4-byte little-endian length n, then n bytes of DBF, then the
// FPT (none when nothing is left). Every record, field and memo is read, and
// each field is also read through the expression evaluator.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "xbase/byte_order.h"
#include "xbase/expression.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

constexpr std::size_t kLengthPrefixSize = 4;
const std::string kTablePath = "/fuzz/T.DBF";
const std::string kMemoPath = "/fuzz/T.FPT";

void readField(const xbase::Table& table, const std::uint8_t* rec, int field,
               const std::optional<xbase::Expression>& expression)
{
    try {
        table.fieldText(rec, field);
    } catch (const xbase::XbaseError&) {
    }
    if (!expression)
        return;
    try {
        expression->evaluateText(rec);
        if (expression->type() == xbase::Expression::Type::Character) {
            std::string key;
            expression->evaluateKey(rec, key);
        }
    } catch (const xbase::XbaseError&) {
    }
}

void readAll(const xbase::Table& table)
{
    const auto& fields = table.fields();
    std::vector<std::optional<xbase::Expression>> expressions(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        try {
            expressions[i] = xbase::Expression::compile(fields[i].name, table);
        } catch (const xbase::XbaseError&) {
        }
    }
    for (std::uint32_t r = 1; r <= table.recordCount(); ++r) {
        const std::uint8_t* rec = table.record(r);
        table.isDeleted(r);
        for (std::size_t i = 0; i < fields.size(); ++i)
            readField(table, rec, static_cast<int>(i), expressions[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kLengthPrefixSize)
        return 0;
    const std::size_t rest = size - kLengthPrefixSize;
    const std::size_t tableSize = std::min<std::size_t>(xbase::readLe32(data), rest);
    const std::uint8_t* table = data + kLengthPrefixSize;
    fuzz_support::MemoryFileSystem fs;
    fs.add(kTablePath, std::vector<std::uint8_t>(table, table + tableSize));
    if (tableSize < rest)
        fs.add(kMemoPath, std::vector<std::uint8_t>(table + tableSize, table + rest));
    try {
        readAll(*xbase::Table::open(kTablePath, xbase::OpenMode::Exclusive, fs));
    } catch (const xbase::XbaseError&) {
    }
    return 0;
}
