#include "catalogue/file_repair.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/index_builder.h"
#include "catalogue/program_files.h"
#include "xbase/byte_order.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"

namespace catalogue {
namespace {

constexpr std::string_view kMemoType = ",Memo";
constexpr std::string_view kOrphanSuffix = ".orphaned-";
constexpr std::uint16_t kBinaryPointerWidth = 4;

std::string stemOf(const TableDef& def) { return std::string(def.fileName.substr(0, def.fileName.find('.'))); }

bool hasMemoField(const TableDef& def) { return def.creationList.find(kMemoType) != std::string_view::npos; }

std::string timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Block 0 is no memo, written as blanks or zeros.
bool pointsSomewhere(const std::uint8_t* p, std::uint16_t width)
{
    if (width == kBinaryPointerWidth)
        return xbase::readLe32(p) != 0;
    return std::any_of(p, p + width, [](std::uint8_t c) { return c != ' ' && c != '0'; });
}

std::string nameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

void CatalogueFileRepair::run() const
{
    for (const TableDef* def : kCatalogueTables) {
        if (catalogue_.isFileOpen(def->fileName))
            continue;
        removeEmptyTable(*def);
        if (!hasMemoField(*def))
            continue;
        if (findFileNoCase(catalogue_.programDir(), def->fileName).empty())
            setOrphanAside(*def);
        else
            replaceLostMemoFile(*def);
    }
}

bool CatalogueFileRepair::isEmptyFile(const std::string& path) const
{
    return catalogue_.fileSystem().open(path, xbase::OpenFlags::ReadWrite)->size() == 0;
}

void CatalogueFileRepair::removeEmptyTable(const TableDef& def) const
{
    const std::string table = findFileNoCase(catalogue_.programDir(), def.fileName);
    if (!table.empty() && isEmptyFile(table))
        catalogue_.fileSystem().remove(table);
}

void CatalogueFileRepair::setOrphanAside(const TableDef& def) const
{
    const std::string memo = findFileNoCase(catalogue_.programDir(), stemOf(def) + ".FPT");
    if (memo.empty())
        return;
    if (isEmptyFile(memo)) {
        catalogue_.fileSystem().remove(memo);
        return;
    }
    std::string aside = memo + std::string(kOrphanSuffix) + timestamp();
    for (int n = 2; catalogue_.fileSystem().exists(aside); ++n)
        aside = memo + std::string(kOrphanSuffix) + timestamp() + "-" + std::to_string(n);
    catalogue_.fileSystem().rename(memo, aside);
    syncDirectory(catalogue_.programDir());
    catalogue_.notice(std::string(def.fileName) + " was missing, so a new, empty table is made.\r" +
                      "Its memo file, which would have been overwritten, is kept as\r" + aside);
}

void CatalogueFileRepair::replaceLostMemoFile(const TableDef& def) const
{
    const std::string table = findFileNoCase(catalogue_.programDir(), def.fileName);
    const std::string memo = xbase::siblingPath(catalogue_.fileSystem(), table, "fpt");
    if (catalogue_.fileSystem().exists(memo) && !isEmptyFile(memo))
        return;
    xbase::MemoFile::initialize(*catalogue_.fileSystem().open(memo, xbase::OpenFlags::Create));
    if (const std::uint32_t rows = clearMemoPointers(table))
        catalogue_.notice(nameOf(memo) + ", the memo file of " + nameOf(table) +
                          ", was missing or empty.\rThe notes of " + std::to_string(rows) + " rows of " + stemOf(def) +
                          " are lost; the rows themselves are kept.");
}

std::uint32_t CatalogueFileRepair::clearMemoPointers(const std::string& tablePath) const
{
    auto table = openForIndexRebuild(tablePath, catalogue_.fileSystem());
    std::uint32_t rows = 0;
    std::vector<std::uint8_t> record;
    for (std::uint32_t recno = 1; recno <= table->recordCount(); ++recno) {
        record.assign(table->record(recno), table->record(recno) + table->recordLength());
        bool cleared = false;
        for (const xbase::Field& field : table->fields()) {
            std::uint8_t* pointer = record.data() + field.offset;
            if (field.type != 'M' || !pointsSomewhere(pointer, field.length))
                continue;
            std::fill(pointer, pointer + field.length, field.length == kBinaryPointerWidth ? 0 : ' ');
            cleared = true;
        }
        if (!cleared)
            continue;
        table->write(recno, record.data());
        rows += table->isDeleted(recno) ? 0 : 1;
    }
    table->flush();
    return rows;
}

}  // namespace catalogue
