// Fuzzes the readers of track lists copied from web pages: the input is
// taken as pasted text and read by every reader in every edit mode, over an
// empty form and over one with a disc's rows; it is also taken as a bar-code
// scan. A reader must fill no more rows than the form has, and must either
// fill some or say why not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_lines.h"
#include "lookup/bar_code.h"
#include "lookup/track_list_readers.h"

namespace {

constexpr std::size_t kDiscTracks = 20;

void check(const lookup::TrackListResult& result, const lookup::AlbumEntry& entry)
{
    if (result.tracks > entry.tracks.size())
        std::abort();
    if (result.tracks == 0 && result.errors.empty() && result.notices.empty())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = splitLines(text);

    using lookup::EditMode;
    for (EditMode mode : {EditMode::AddFromDrive, EditMode::AddOther, EditMode::Modify})
        for (std::size_t rows : {std::size_t{0}, kDiscTracks}) {
            lookup::AlbumEntry entry;
            entry.tracks.resize(rows);
            check(lookup::readPlainList(lines, mode, entry), entry);
            check(lookup::readTimedList(lines, mode, true, entry), entry);
            check(lookup::readTimedList(lines, mode, false, entry), entry);
            check(lookup::readContinuedList(lines, mode, entry), entry);
            check(lookup::readRetailerPage(lines, mode, entry), entry);
        }

    lookup::decodeCueCatScan(text);
    lookup::scannedBarCode(text);
    lookup::barCodeSearchAddress("https://example.org/?q=", text);
    return 0;
}
