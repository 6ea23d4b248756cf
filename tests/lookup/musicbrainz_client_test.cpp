// The MusicBrainz client over libcurl against the loopback test server:
// disc look-ups (one release, several, by TOC, none), the service's faults,
// bar codes, covers, and the rate limit counted where the requests arrive.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "lookup/musicbrainz_client.h"
#include "platform/net/curl_http_getter.h"
#include "support/fixture_files.h"
#include "support/musicbrainz_test_server.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using Outcome = lookup::MusicBrainzClient::Outcome;
using Fault = test_support::MusicBrainzTestServer::Fault;
using test_support::discToc;

constexpr char kBarcodeRelease[] = "5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5";
const std::string kUserAgent = "Vinora/9.9 ( joe@example.org )";

const platform::DiscToc kOneRelease = discToc(test_support::kFourTrackOffsets, test_support::kFourTrackLeadOut);
const platform::DiscToc kTwoReleases = discToc({150, 18000, 39000, 61000, 80500}, 98400);
const platform::DiscToc kKnownByToc = discToc({150, 20000, 45000}, 70000);
const platform::DiscToc kUnknown = discToc({150, 30000}, 50000);

class MusicBrainzClient : public testing::Test {
protected:
    lookup::MusicBrainzClient client(const std::string& url, lookup::MusicBrainzRateLimit& limit)
    {
        return lookup::MusicBrainzClient({url, url, kUserAgent}, http, limit);
    }
    lookup::MusicBrainzClient client() { return client(server.url(), unlimited); }

    std::vector<std::string> targets() const
    {
        std::vector<std::string> all;
        for (const auto& request : server.requests())
            all.push_back(request.target);
        return all;
    }

    test_support::MusicBrainzTestServer server;
    platform::CurlHttpGetter http;
    lookup::MusicBrainzRateLimit unlimited{std::chrono::milliseconds(0)};
};

TEST_F(MusicBrainzClient, DiscLookupsFindOneSeveralByTocOrNone)
{
    struct Case {
        const char* name;
        platform::DiscToc toc;
        Outcome outcome;
        std::vector<std::string> albums;
        std::size_t requests;
    };
    const Case cases[] = {
        {"one", kOneRelease, Outcome::Found, {"Harbour Lights (disc 2)"}, 1},
        {"several", kTwoReleases, Outcome::Found, {"Late Roads", "Late Roads"}, 1},
        {"by toc", kKnownByToc, Outcome::Found, {"Three Rooms"}, 2},
        {"none", kUnknown, Outcome::NotFound, {}, 2},
    };
    std::size_t requests = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = client().lookupDisc(c.toc);
        EXPECT_EQ(result.outcome, c.outcome) << result.message;
        std::vector<std::string> albums;
        for (const auto& release : result.releases)
            albums.push_back(release.entry.album);
        EXPECT_EQ(albums, c.albums);
        EXPECT_EQ(server.requests().size() - requests, c.requests);
        requests = server.requests().size();
    }
    const auto byToc = client().lookupDisc(kKnownByToc);
    ASSERT_EQ(byToc.releases.size(), 1u);
    EXPECT_EQ(byToc.releases[0].entry.tracks.size(), 3u);
    const std::string includes = "&cdstubs=no&inc=artist-credits+recordings&fmt=json";
    EXPECT_EQ(targets()[0], "/ws/2/discid/f5x_vqgFPDlQ_6ZTBNJ2mRUQWD4-?" + includes.substr(1));
    EXPECT_EQ(targets()[3], "/ws/2/discid/-?toc=1+3+70000+150+20000+45000" + includes);
    for (const auto& request : server.requests())
        EXPECT_EQ(request.userAgent, kUserAgent);
}

TEST_F(MusicBrainzClient, BusyServerIsAskedOnceMoreAfterItsRetryAfter)
{
    server.setFault(Fault::BusyOnce);
    const auto result = client().lookupDisc(kOneRelease);
    EXPECT_EQ(result.outcome, Outcome::Found) << result.message;
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_GE(requests[1].arrival - requests[0].arrival, std::chrono::milliseconds(950));

    server.setFault(Fault::AlwaysBusy);
    const auto busy = client().lookupDisc(kOneRelease);
    EXPECT_EQ(busy.outcome, Outcome::Failed);
    EXPECT_EQ(busy.message, "MusicBrainz is busy (HTTP status 503) and stayed so after a second try; try again later.");
    EXPECT_EQ(server.requests().size(), 4u);
}

TEST_F(MusicBrainzClient, BrokenAnswersFailWithAClearMessage)
{
    server.setFault(Fault::Malformed);
    const auto malformed = client().lookupDisc(kOneRelease);
    EXPECT_EQ(malformed.outcome, Outcome::Failed);
    EXPECT_EQ(malformed.message.rfind("MusicBrainz sent a document that is not valid JSON", 0), 0u)
        << malformed.message;

    // The answer is cut off at the limit rather than read whole.
    server.setFault(Fault::Huge);
    const auto huge = client().lookupDisc(kOneRelease);
    EXPECT_EQ(huge.outcome, Outcome::Failed);
    EXPECT_NE(huge.message.find("sent a reply longer than 4194304 bytes"), std::string::npos) << huge.message;

    const auto down = client(test_support::MusicBrainzTestServer::closedUrl(), unlimited).lookupDisc(kOneRelease);
    EXPECT_EQ(down.outcome, Outcome::Failed);
    EXPECT_EQ(down.message.rfind("Could not reach 127.0.0.1 port ", 0), 0u) << down.message;
}

TEST_F(MusicBrainzClient, CancelEndsTheWaitForATurn)
{
    lookup::MusicBrainzRateLimit slow{std::chrono::seconds(30)};
    auto c = client(server.url(), slow);
    EXPECT_EQ(c.lookupDisc(kOneRelease).outcome, Outcome::Found);
    std::atomic<bool> cancelled{false};
    platform::NetWait wait;
    wait.cancelled = &cancelled;
    c.setWait(wait);
    std::thread canceller([&cancelled] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancelled = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(c.lookupDisc(kOneRelease).outcome, Outcome::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    canceller.join();
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(MusicBrainzClient, BarcodeFindsTheReleaseWhoseCoverIsDownloaded)
{
    const auto search = client().searchBarcode("5012345678900");
    ASSERT_EQ(search.outcome, Outcome::Found) << search.message;
    ASSERT_EQ(search.releases.size(), 1u);
    EXPECT_EQ(targets().back(), "/ws/2/release?query=barcode%3A5012345678900&fmt=json");
    EXPECT_EQ(client().searchBarcode("0000000000000").outcome, Outcome::NotFound);

    const auto release = client().release(search.releases[0].id);
    ASSERT_EQ(release.outcome, Outcome::Found) << release.message;
    EXPECT_EQ(release.releases[0].entry.tracks.size(), 3u);
    EXPECT_EQ(client().release("../../etc").outcome, Outcome::Failed);

    // The archive redirects to where the image is kept.
    test_support::TempDir dir;
    const std::string covers = dir.file("covers");
    const auto cover = client().downloadFrontCover(kBarcodeRelease, covers);
    ASSERT_EQ(cover.outcome, Outcome::Found) << cover.message;
    EXPECT_EQ(cover.path, covers + "/" + kBarcodeRelease + ".jpg");
    EXPECT_EQ(test_support::readFile(cover.path),
              test_support::readFile(test_support::fixturePath(std::string("musicbrainz/cover-") + kBarcodeRelease +
                                                               ".jpg")));
    EXPECT_EQ(client().downloadFrontCover("8a2b4c6d-1e3f-4a5b-8c7d-9e0f1a2b3c4d", covers).outcome,
              Outcome::NotFound);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(covers), {}), 1);
}

TEST_F(MusicBrainzClient, ClientsSharingTheLimitAskAtMostOncePerSecond)
{
    lookup::MusicBrainzRateLimit limit;
    const auto lookups = [&] {
        auto c = client(server.url(), limit);
        c.lookupDisc(kUnknown);  // two requests
    };
    std::thread other(lookups);
    lookups();
    other.join();
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    // No second request in any second; a little slack for the time a
    // request takes to arrive.
    for (std::size_t i = 1; i < requests.size(); ++i)
        EXPECT_GE(requests[i].arrival - requests[i - 1].arrival, std::chrono::milliseconds(950)) << i;
}

}  // namespace
