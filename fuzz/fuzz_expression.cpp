// Fuzzes the expression compiler and evaluator: the input is expression
// text, compiled against the small ALBUMS fixture and, when it compiles,
// evaluated on every record.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "memory_file_system.h"
#include "xbase/expression.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

fuzz_support::MemoryFileSystem files;
std::shared_ptr<xbase::Table> albums;

void evaluateAll(const xbase::Expression& expression, const xbase::Table& table)
{
    std::string key;
    for (std::uint32_t r = 1; r <= table.recordCount(); ++r) {
        const std::uint8_t* rec = table.record(r);
        if (expression.type() == xbase::Expression::Type::Logical)
            expression.test(rec);
        else if (expression.type() == xbase::Expression::Type::Character)
            expression.evaluateKey(rec, key);
        expression.evaluateText(rec);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Without its index: fuzz_cdx covers that.
    try {
        files.add("/fuzz/ALBUMS.DBF", fuzz_support::readRealFile(VINORA_FIXTURES_DIR "/xbase/small/ALBUMS.DBF"));
        files.add("/fuzz/ALBUMS.FPT", fuzz_support::readRealFile(VINORA_FIXTURES_DIR "/xbase/small/ALBUMS.FPT"));
        albums = xbase::Table::open("/fuzz/ALBUMS.DBF", xbase::OpenMode::Exclusive, files);
    } catch (const xbase::XbaseError& e) {
        std::fprintf(stderr, "fuzz_expression: %s\n", e.what());
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    xbase::Expression::check(text, *albums);
    xbase::Expression::checkFilter(text, *albums);
    try {
        evaluateAll(xbase::Expression::compile(text, *albums), *albums);
    } catch (const xbase::XbaseError&) {
    }
    return 0;
}
