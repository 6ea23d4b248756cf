#pragma once

#include <string>
#include <vector>

#include "lookup/musicbrainz_rate_limit.h"
#include "lookup/musicbrainz_release.h"
#include "lookup/musicbrainz_service.h"
#include "platform/disc_toc.h"
#include "platform/http_getter.h"
#include "platform/net_wait.h"

namespace lookup {

// Asks MusicBrainz's web service about discs, bar codes and releases, and
// fetches front covers from the Cover Art Archive, on the calling thread.
// Requests to MusicBrainz go through the rate limit; an answer 503 is
// asked again once after the wait its Retry-After names. Outcomes are
// results, never exceptions.
class MusicBrainzClient {
public:
    enum class Outcome { Found, NotFound, Failed, Cancelled };

    struct Result {
        Outcome outcome = Outcome::NotFound;
        std::string message;  // why it failed, for the user
        std::vector<MusicBrainzRelease> releases;
    };

    struct CoverResult {
        Outcome outcome = Outcome::NotFound;
        std::string message;
        std::string path;  // the image written, when found
    };

    // The largest document read and the largest cover taken; a longer
    // answer ends the request rather than filling memory.
    static constexpr std::size_t kMaxDocumentBytes = 4 * 1024 * 1024;
    static constexpr std::size_t kMaxCoverBytes = 16 * 1024 * 1024;
    // The longest Retry-After waited for; a longer one is cut to it.
    static constexpr std::chrono::seconds kMaxRetryWait{30};

    // `http` and `limit` must outlive the client.
    MusicBrainzClient(MusicBrainzService service, platform::HttpGetter& http,
                      MusicBrainzRateLimit& limit = MusicBrainzRateLimit::processWide());

    void setWait(const platform::NetWait& wait) { wait_ = wait; }

    // The releases holding the disc of `toc`: by its disc ID, and when
    // MusicBrainz does not know the ID, by the TOC's likeness. Each takes
    // the medium of this disc. Requires: toc.trackCount > 0.
    Result lookupDisc(const platform::DiscToc& toc);
    // The releases whose bar code is `barcode`, without their tracks.
    Result searchBarcode(const std::string& barcode);
    // The release `releaseId` with the tracks of its first medium.
    Result release(const std::string& releaseId);
    // Writes the front cover of release `releaseId` as `folder`/ID.jpg
    // (the folder made when missing). NotFound when it has none.
    CoverResult downloadFrontCover(const std::string& releaseId, const std::string& folder);

private:
    // The answer to `target` from the web service; rate-limited, a 503
    // asked again once.
    platform::HttpResponse ask(const std::string& target);
    // The releases of a 200 answer, NotFound for 404, Failed otherwise.
    Result releasesOf(const platform::HttpResponse& response, const std::string& discId, int trackCount) const;
    Result failed(const std::exception& error) const;

    MusicBrainzService service_;
    platform::HttpGetter& http_;
    MusicBrainzRateLimit& limit_;
    platform::NetWait wait_;
};

}  // namespace lookup
