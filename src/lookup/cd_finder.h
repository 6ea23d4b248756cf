#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "common/lookup_state.h"
#include "lookup/cd_drive.h"
#include "lookup/error_box.h"

namespace lookup {

// The disc in the drive against the catalogue ("Make CD in drive the
// current album", and the flows that need the disc's album current).
class CdFinder {
public:
    inline static const std::string kNoAudioCdMessage = "There does NOT seem to be an audio CD in the drive";
    inline static const std::string kNotInCollectionMessage = "Could not find this CD in your Collection";
    // All four must outlive this object.
    CdFinder(CdDrive& drive, common::LookupState& state, catalogue::Catalogue& catalogue, ErrorBox showError);

    // Makes the album of the disc in the drive (CDPath) the current album of
    // albums, whose order is kept; true when it did, and the grids need
    // repainting. Without an audio CD: false, and kNoAudioCdMessage when
    // `showMessages`. A disc not catalogued gives kNotInCollectionMessage
    // whatever `showMessages` says, and false.
    bool findCdInCollection(bool showMessages);

private:
    CdDrive& drive_;
    common::LookupState& state_;
    catalogue::Catalogue& catalogue_;
    ErrorBox showError_;
};

}  // namespace lookup
