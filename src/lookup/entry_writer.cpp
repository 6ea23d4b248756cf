#include "lookup/entry_writer.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/notes_tags.h"
#include "common/trim_and_case.h"
#include "lookup/toc_arithmetic.h"

namespace lookup {
namespace {

// Extended track lines are kept per track number of one or two digits.
constexpr std::size_t kExtendedTrackSlots = 100;
// A first line this short (an empty value or nearly) gives way to a later
// one for the same track.
constexpr std::size_t kPlaceholderLength = 9;

bool hasShortIndex(const common::TrackExtension& extension)
{
    return extension.line.size() - extension.value.size() <= std::string_view("EXTT99=").size();
}

}  // namespace

int nextRevision(std::string_view rev)
{
    const int stored = rev.empty() ? 0 : std::max(0, static_cast<unsigned char>(rev.front()) - '0');
    return std::min(stored + 1, kHighestRevision);
}

std::vector<std::string> writeEntry(const SubmissionAlbum& album, const platform::DiscToc& toc,
                                    std::string_view discId, std::string_view productVersion)
{
    std::vector<std::string> out{"# xmcd", "#", "# Track frame offsets:"};
    for (long offset : frameOffsets(toc))
        out.push_back("# " + std::to_string(offset));
    out.push_back("#");
    out.push_back("# Disc length: " + std::to_string(discLengthSeconds(toc)) + " seconds");
    out.push_back("#");
    out.push_back("# Revision: " + std::to_string(nextRevision(album.rev)));
    out.push_back("# Submitted via: " + std::string(kClientName) + " " + std::string(productVersion));
    out.push_back("#");
    out.push_back("DISCID=" + std::string(discId));
    out.push_back("DTITLE=" + album.artist + " / " + album.album);
    if (!common::trimmed(album.year).empty())
        out.push_back("DYEAR=" + album.year);
    out.push_back("DGENRE=" + album.genre);
    for (std::size_t k = 0; k < album.trackTitles.size(); ++k)
        out.push_back("TTITLE" + std::to_string(k) + "=" + album.trackTitles[k]);

    const common::NotesTags notes(album.notes);
    const std::vector<std::string_view> albumExtensions = notes.albumExtensions();
    for (std::string_view value : albumExtensions)
        out.push_back("EXTD=" + std::string(value));
    std::array<std::string_view, kExtendedTrackSlots> extendedTracks{};
    for (const common::TrackExtension& extension : notes.trackExtensions()) {
        if (!hasShortIndex(extension))
            continue;
        std::string_view& slot = extendedTracks[extension.track];
        if (slot.size() < kPlaceholderLength)
            slot = extension.line;
    }
    if (albumExtensions.empty())
        out.push_back("EXTD=");
    for (std::size_t k = 0; k < album.trackTitles.size(); ++k) {
        if (k < kExtendedTrackSlots && !extendedTracks[k].empty())
            out.emplace_back(extendedTracks[k]);
        else
            out.push_back("EXTT" + std::to_string(k) + "=");
    }
    out.push_back("PLAYORDER=");
    return out;
}

}  // namespace lookup
