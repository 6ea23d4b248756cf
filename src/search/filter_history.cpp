#include "search/filter_history.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "catalogue/file_replacement.h"
#include "catalogue/program_files.h"
#include "xbase/xbase_error.h"

namespace search {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnd = "\r\n";

// Lower case of a Windows-1252 byte: ASCII, the accented capitals
// 0xC0-0xDE (0xD7 is the multiplication sign) and the four capitals that
// code page places in 0x8A-0x9F.
unsigned char lowerAnsi(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:  // Y diaeresis
        return 0xFF;
    default:
        return c;
    }
}

std::string_view fileName(FilterHistory::Table table)
{
    return table == FilterHistory::Table::Tracks ? FilterHistory::kTracksFile : FilterHistory::kAlbumsFile;
}

std::string historyPath(const std::string& programDir, FilterHistory::Table table)
{
    const std::string found = catalogue::findFileNoCase(programDir, fileName(table));
    return found.empty() ? catalogue::joinPath(programDir, fileName(table)) : found;
}

}  // namespace

FilterHistory::FilterHistory(const std::string& programDir, Table table) : path_(historyPath(programDir, table)) {}

std::vector<std::string> FilterHistory::parse(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return lines;
}

std::string FilterHistory::text(const std::vector<std::string>& entries)
{
    std::string out;
    for (const std::string& entry : entries) {
        out += entry;
        out += kLineEnd;
    }
    return out;
}

void FilterHistory::load()
{
    entries_.clear();
    std::error_code ec;
    if (!fs::exists(path_, ec))
        return;
    if (!fs::is_regular_file(path_, ec))
        throw xbase::XbaseError(path_ + ": the filter history is not a file");
    std::ifstream in(path_, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad())
        throw xbase::XbaseError(path_ + ": cannot read the filter history");
    entries_ = parse(bytes);
}

void FilterHistory::save() const
{
    catalogue::replaceFile(path_, "the filter history", text(entries_));
}

bool FilterHistory::sameExpression(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lowerAnsi(static_cast<unsigned char>(x)) == lowerAnsi(static_cast<unsigned char>(y));
    });
}

bool FilterHistory::contains(std::string_view expression) const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::string& entry) { return sameExpression(entry, expression); });
}

bool FilterHistory::add(std::string_view expression)
{
    if (contains(expression))
        return false;
    entries_.insert(entries_.begin(), std::string(expression));
    try {
        save();
    } catch (...) {
        entries_.erase(entries_.begin());
        throw;
    }
    return true;
}

bool FilterHistory::remove(std::string_view expression)
{
    if (expression.empty())
        return false;
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const std::string& entry) { return sameExpression(entry, expression); });
    if (found == entries_.end())
        return false;
    const auto at = found - entries_.begin();
    std::string removed = std::move(*found);
    entries_.erase(found);
    try {
        save();
    } catch (...) {
        entries_.insert(entries_.begin() + at, std::move(removed));
        throw;
    }
    return true;
}

}  // namespace search
