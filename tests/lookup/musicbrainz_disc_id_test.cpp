// MusicBrainz disc IDs against libdiscid's, over every disc image the drive
// tests make, read back through libcdio as the drive reads them.
#include <gtest/gtest.h>

#include <algorithm>

#include "lookup/musicbrainz_disc_id.h"
#include "lookup/toc_arithmetic.h"
#include "platform/cdio/libcdio_access.h"
#include "support/disc_image.h"
#include "support/discid_oracle.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using test_support::ImageTrack;

struct Image {
    std::string name;
    std::vector<ImageTrack> tracks;
    long leadOut = 0;
    bool cdrdao = false;
};

std::vector<Image> driveTestImages()
{
    using test_support::audioTracks;
    std::vector<Image> images{
        {"four", audioTracks(test_support::kFourTrackOffsets), test_support::kFourTrackLeadOut, false},
        {"four_cdrdao", audioTracks(test_support::kFourTrackOffsets), test_support::kFourTrackLeadOut, true},
        {"pregaps", {{183, 33, false}, {22650, 150, false}, {41000, 74, false}, {60000, 0, false}}, 80000, false},
        {"mixed", {{150, 0, true}, {30150, 150, false}, {45000, 0, false}}, 61234, false},
        {"data", {{150, 0, true}}, 40000, false},
        {"single", {{150}}, 30000, false},
        {"unknown", audioTracks({150, 18000, 39000, 61000, 80500}), 1312 * 75, false},
    };
    for (const std::string& file : test_support::cddbEntryFiles()) {
        const auto disc = test_support::entryDisc(test_support::fileLines(file));
        images.push_back({disc.discId, audioTracks(disc.offsets), disc.discLength * 75, false});
    }
    return images;
}

TEST(MusicBrainzDiscId, EqualsLibdiscidOnEveryDriveTestImage)
{
    test_support::TempDir dir;
    platform::LibcdioAccess cdio;
    int checked = 0;
    for (const Image& image : driveTestImages()) {
        SCOPED_TRACE(image.name);
        std::vector<long> offsets;
        for (const ImageTrack& track : image.tracks)
            offsets.push_back(track.offset);
        const std::string path = image.cdrdao
                                     ? test_support::writeTocImage(dir.path(), image.name, offsets, image.leadOut)
                                     : test_support::writeCueImage(dir.path(), image.name, image.tracks, image.leadOut);
        platform::CdRomDriveList drives;
        platform::DiscToc toc;
        ASSERT_TRUE(cdio.getCdRomDrives(path, drives));
        cdio.readCdToc(drives.drives.front(), toc);
        ASSERT_EQ(lookup::frameOffsets(toc), offsets);

        const std::string id = lookup::musicBrainzDiscId(toc);
        EXPECT_EQ(id.size(), 28u);
        EXPECT_EQ(id, test_support::libdiscidMusicBrainzId(offsets, image.leadOut));
        std::string tocText = lookup::musicBrainzTocParameter(toc);
        std::replace(tocText.begin(), tocText.end(), '+', ' ');
        EXPECT_EQ(tocText, test_support::libdiscidTocText(offsets, image.leadOut));
        ++checked;
    }
    EXPECT_EQ(checked, 29);
}

TEST(MusicBrainzDiscId, NinetyNineTracksFillEveryOffsetSlot)
{
    std::vector<long> offsets;
    for (long i = 0; i < 99; ++i)
        offsets.push_back((2 + i * 43) * 75 + i % 75);
    const long leadOut = 4300L * 75;
    const std::string id = lookup::musicBrainzDiscId(test_support::discToc(offsets, leadOut));
    EXPECT_EQ(id, test_support::libdiscidMusicBrainzId(offsets, leadOut));
    // The alphabet keeps the ID usable in a path and a query.
    EXPECT_EQ(id.find_first_of("+/="), std::string::npos);
}

}  // namespace
