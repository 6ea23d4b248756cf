#include "lookup/cd_finder.h"

#include "lookup/album_locator.h"

namespace lookup {

CdFinder::CdFinder(CdDrive& drive, common::LookupState& state, catalogue::Catalogue& catalogue, ErrorBox showError)
    : drive_(drive), state_(state), catalogue_(catalogue), showError_(std::move(showError))
{
}

bool CdFinder::findCdInCollection(bool showMessages)
{
    if (!drive_.audioCdPresent(drive_.cdPath())) {
        if (showMessages)
            showError_(kNoAudioCdMessage);
        return false;
    }
    // A failed read finds nothing, even when a failed drive listing left
    // the previous disc's identifier in place.
    const std::string id = drive_.readDiscToc() ? state_.currentAlbumId : std::string();
    if (!albumInCatalogue(catalogue_, id)) {
        showError_(kNotInCollectionMessage);
        return false;
    }
    makeAlbumCurrent(catalogue_, id);
    return true;
}

}  // namespace lookup
