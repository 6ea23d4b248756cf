#include "lookup/cddb_results.h"

#include "common/trim_and_case.h"
#include "lookup/server_entry_reader.h"

namespace lookup {

void fillAlbumEntry(const CddbLookupResult& result, AlbumEntry& entry)
{
    if (!result.match)
        return;
    entry.genre = common::lowerAscii(result.match->category);
    entry.artist = result.match->artist;
    entry.album = result.match->album;
    if (!result.entry)
        return;
    startServerEntry(entry);
    for (const std::string& line : *result.entry) {
        if (!readEntryLine(line, entry))
            break;
    }
}

}  // namespace lookup
