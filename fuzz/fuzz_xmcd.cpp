// Fuzzes the two xmcd readers: the input is taken as an entry's text, read
// line by line as a server sends it and whole as pasted text in each edit
// mode; what they read is written out again as a submission.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_lines.h"
#include "lookup/entry_writer.h"
#include "lookup/pasted_entry_reader.h"
#include "lookup/server_entry_reader.h"

namespace {

constexpr std::size_t kFormTracks = 20;

void writeBack(const lookup::AlbumEntry& entry)
{
    lookup::SubmissionAlbum album{entry.artist, entry.album, entry.year, entry.genre, entry.revision, {}, {}};
    for (const std::string& note : entry.notes)
        album.notes += note + "\r\n";
    for (const auto& row : entry.tracks)
        album.trackTitles.push_back(row.title);
    platform::DiscToc toc;
    toc.trackCount = 1;
    toc.tracks[0] = {0, 2, 0};
    toc.leadOut = {5, 0, 0};
    lookup::writeEntry(album, toc, "00000000", "fuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines = splitLines({reinterpret_cast<const char*>(data), size});

    lookup::AlbumEntry fromServer;
    fromServer.tracks.resize(kFormTracks);
    lookup::startServerEntry(fromServer);
    for (const std::string& line : lines)
        lookup::readEntryLine(line, fromServer);
    writeBack(fromServer);

    using lookup::EditMode;
    for (EditMode mode : {EditMode::AddFromDrive, EditMode::AddOther, EditMode::Modify}) {
        lookup::AlbumEntry pasted;
        pasted.tracks.resize(kFormTracks);
        lookup::readPastedLines(lines, mode, pasted);
        writeBack(pasted);
    }
    return 0;
}
