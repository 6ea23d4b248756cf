// Fuzzes the compound index reader, its checker and its upkeep: a fixture
// table with a damaged index. The first input byte picks the table (even:
// ALBUMS with five tags, odd: TRACKS with one), the rest is its CDX file.
// Every tag is walked both ways and checked, then a record is changed and
// one appended, which updates every tag through the damaged pages.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "xbase/cdx_checker.h"
#include "xbase/cdx_index.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

struct FixtureTable {
    std::string name;
    std::vector<std::uint8_t> dbf;
    std::vector<std::uint8_t> fpt;  // empty when the table has no memos
};

std::vector<FixtureTable> tables;

FixtureTable load(const std::string& name, bool memo)
{
    const std::string base = VINORA_FIXTURES_DIR "/xbase/small/" + name;
    return {name, fuzz_support::readRealFile(base + ".DBF"),
            memo ? fuzz_support::readRealFile(base + ".FPT") : std::vector<std::uint8_t>()};
}

void walk(const xbase::CdxTag& tag)
{
    try {
        for (auto p = tag.first(); !p.atEnd(); p = tag.next(p)) {
            tag.key(p);
            tag.recno(p);
        }
        for (auto p = tag.last(); !p.atEnd(); p = tag.prev(p))
            tag.lowerBound(tag.key(p), tag.recno(p));
    } catch (const xbase::XbaseError&) {
    }
}

void edit(xbase::Table& table)
{
    std::vector<std::uint8_t> rec(table.record(1), table.record(1) + table.recordLength());
    table.setFieldText(rec.data(), 0, "fuzz");
    table.write(1, rec.data());
    table.append(rec.data());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    try {
        tables.push_back(load("ALBUMS", true));
        tables.push_back(load("TRACKS", false));
    } catch (const xbase::XbaseError& e) {
        std::fprintf(stderr, "fuzz_cdx: %s\n", e.what());
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const FixtureTable& fixture = tables[data[0] % tables.size()];
    const std::string base = "/fuzz/" + fixture.name;
    fuzz_support::MemoryFileSystem fs;
    fs.add(base + ".DBF", fixture.dbf);
    if (!fixture.fpt.empty())
        fs.add(base + ".FPT", fixture.fpt);
    fs.add(base + ".CDX", std::vector<std::uint8_t>(data + 1, data + size));
    xbase::CdxChecker::checkHeader(fs, base + ".CDX");
    try {
        auto table = xbase::Table::open(base + ".DBF", xbase::OpenMode::Exclusive, fs);
        xbase::CdxIndex* index = table->index();
        if (!index)
            return 0;
        walk(index->directory());
        for (std::size_t i = 0; i < index->tagCount(); ++i)
            walk(index->tagAt(i));
        xbase::CdxChecker::check(*index);
        edit(*table);
        xbase::CdxChecker::check(*index);
    } catch (const xbase::XbaseError&) {
    }
    return 0;
}
