#include "lookup/pasted_entry_import.h"

#include "lookup/album_locator.h"
#include "lookup/pasted_entry_reader.h"

namespace lookup {

bool readPastedEntry(const std::vector<std::string>& lines, EditMode& mode, AlbumEntry& entry,
                     common::LookupState& state, catalogue::Catalogue& catalogue, const ErrorBox& showError)
{
    const PastedEntryOutcome outcome = readPastedLines(lines, mode, entry);
    if (outcome.discLength)
        state.runningSeconds = *outcome.discLength;
    if (outcome.discId)
        state.currentAlbumId = *outcome.discId;
    const bool catalogued = outcome.discId && outcome.checkCatalogue && albumInCatalogue(catalogue, *outcome.discId);
    if (!outcome.accepted) {
        showError(kInvalidEntryMessage);
        return false;
    }
    if (!catalogued)
        return false;
    showError(kAlreadyCataloguedMessage);
    makeAlbumCurrent(catalogue, *outcome.discId);
    return true;
}

}  // namespace lookup
