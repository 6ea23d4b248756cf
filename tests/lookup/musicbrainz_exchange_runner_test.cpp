// Requests run off the owner's thread: the outcome comes through the event
// loop, one request at a time, and Cancel and the read time-out end a
// request the server never answers.
#include "lookup/musicbrainz_exchange_runner.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "platform/net/curl_http_getter.h"
#include "support/event_loop.h"
#include "support/musicbrainz_test_server.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using Outcome = lookup::MusicBrainzClient::Outcome;
using Runner = lookup::MusicBrainzExchangeRunner;

class MusicBrainzExchangeRunner : public testing::Test {
protected:
    MusicBrainzExchangeRunner() { test_support::coreApplication(); }

    // The result of the lookup `runner` reports, or nothing within 10 s.
    std::optional<lookup::MusicBrainzClient::Result> lookupResult(Runner& runner)
    {
        std::optional<lookup::MusicBrainzClient::Result> result;
        QObject::connect(&runner, &Runner::lookupFinished, &runner,
                         [&result](const lookup::MusicBrainzClient::Result& r) { result = r; });
        test_support::waitForSignal(&runner, &Runner::lookupFinished);
        return result;
    }

    test_support::MusicBrainzTestServer server;
    platform::CurlHttpGetter http;
    lookup::MusicBrainzRateLimit unlimited{std::chrono::milliseconds(0)};
    Runner runner{{server.url(), server.url(), "Vinora/9.9"}, http, unlimited};
    const platform::DiscToc disc =
        test_support::discToc(test_support::kFourTrackOffsets, test_support::kFourTrackLeadOut);
};

TEST_F(MusicBrainzExchangeRunner, LookupAndCoverArriveThroughTheEventLoopOneAtATime)
{
    ASSERT_TRUE(runner.startDiscLookup(disc));
    EXPECT_FALSE(runner.startBarcodeSearch("5012345678900"));
    const auto found = lookupResult(runner);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->outcome, Outcome::Found);
    EXPECT_FALSE(runner.busy());

    test_support::TempDir dir;
    std::optional<lookup::MusicBrainzClient::CoverResult> cover;
    QObject::connect(&runner, &Runner::coverFinished, &runner,
                     [&cover](const lookup::MusicBrainzClient::CoverResult& r) { cover = r; });
    ASSERT_TRUE(runner.startCoverDownload("5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5", dir.file("covers")));
    test_support::waitForSignal(&runner, &Runner::coverFinished);
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->outcome, Outcome::Found) << cover->message;
}

TEST_F(MusicBrainzExchangeRunner, SilentServerEndsByCancelOrByTheReadTimeOut)
{
    server.setFault(test_support::MusicBrainzTestServer::Fault::Stall);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(runner.startDiscLookup(disc));
    QTimer::singleShot(300, &runner, &Runner::cancel);
    const auto cancelled = lookupResult(runner);
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->outcome, Outcome::Cancelled);
    EXPECT_LT(clock.elapsed(), 1500);

    runner.setTimeouts(std::chrono::seconds(2), std::chrono::milliseconds(400));
    ASSERT_TRUE(runner.startRelease("5d6e7f80-9a1b-4c2d-8e3f-a0b1c2d3e4f5"));
    const auto timedOut = lookupResult(runner);
    ASSERT_TRUE(timedOut);
    EXPECT_EQ(timedOut->outcome, Outcome::Failed);
    EXPECT_NE(timedOut->message.find("400 ms"), std::string::npos) << timedOut->message;
}

}  // namespace
