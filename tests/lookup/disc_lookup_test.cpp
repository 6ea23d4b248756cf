// The lookup step of adding a CD end to end: a disc image read through
// libcdio as the drive, looked up on the loopback CDDB server.
#include "lookup/disc_lookup.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "lookup/cd_drive.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "support/cddb_test_server.h"
#include "support/disc_image.h"
#include "support/event_loop.h"
#include "support/temp_dir.h"

namespace {

using lookup::CddbOutcome;
using lookup::CddbTransport;
using Fault = test_support::CddbTestServer::Fault;

// A pressing close to three discs the server knows, none of them exactly.
const std::vector<long> kCloseOffsets{150, 16670, 30900, 50960, 69780, 85300, 103030, 116950, 138360, 155040};
constexpr long kCloseLeadOut = 2325 * 75;

class DiscLookupTest : public testing::TestWithParam<CddbTransport> {
protected:
    DiscLookupTest()
    {
        test_support::coreApplication();
        const std::string cue =
            test_support::writeCueImage(dir.path(), "close", test_support::audioTracks(kCloseOffsets), kCloseLeadOut);
        lookup::CdDrive drive(cdio, state, [](const std::string& message) { ADD_FAILURE() << message; },
                              [](int) {});
        drive.setDriveSettings(cue, 0);
        EXPECT_TRUE(drive.readDiscToc());
        const bool tcp = GetParam() == CddbTransport::Tcp;
        runner.setServer({"127.0.0.1", tcp ? server.tcpPort() : server.httpPort(), GetParam(), false},
                         lookup::CddbHello("", "5.2b"));
        QObject::connect(&discLookup, &lookup::DiscLookup::finished, [this](const lookup::DiscLookupOutcome& o) {
            outcome = o;
            finishedAt = clock.elapsed();
        });
        clock.start();
    }

    // What the form held before: a different album.
    static lookup::AlbumEntry earlierEntry()
    {
        return {"Earlier Artist", "Earlier Album", "jazz", "1999", "3", {"EXTD=old"}, {{"  1", " 1:00", "Old"}}};
    }

    test_support::TempDir dir;
    test_support::CddbTestServer server;
    platform::LibcdioAccess cdio;
    platform::TcpLineConnector tcp;
    platform::CurlHttpGetter http;
    common::LookupState state;
    lookup::CddbExchangeRunner runner{{}, lookup::CddbHello("", "5.2b"), tcp, http};
    lookup::DiscLookup discLookup{runner, state};
    QElapsedTimer clock;
    std::optional<lookup::DiscLookupOutcome> outcome;
    qint64 finishedAt = 0;
};

TEST_P(DiscLookupTest, ChosenMatchOfTheImageTocFillsTheEntry)
{
    EXPECT_EQ(state.currentAlbumId, "7f09130a");
    std::vector<std::string> offered;
    runner.setChooser([&](const std::vector<std::string>& matches) {
        offered = matches;
        return std::optional<std::size_t>(2);
    });
    ASSERT_TRUE(discLookup.start(earlierEntry(), "pop"));
    EXPECT_EQ(state.runningSeconds, 2325);
    ASSERT_TRUE(test_support::waitForSignal(&discLookup, &lookup::DiscLookup::finished));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->outcome, CddbOutcome::Completed) << outcome->failureMessage;
    EXPECT_TRUE(outcome->showEditForm);
    EXPECT_FALSE(outcome->notFound);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[2], "rock 7c09100a Ashgrove / Northern Lines");
    // The other two matches are the same band's album under other titles,
    // years, genres and notes.
    const lookup::AlbumEntry& entry = outcome->entry;
    EXPECT_EQ(entry.artist, "Ashgrove");
    EXPECT_EQ(entry.album, "Northern Lines");
    EXPECT_EQ(entry.genre, "indie rock");
    EXPECT_EQ(entry.year, "2006");
    EXPECT_EQ(entry.notes, (std::vector<std::string>{"EXTD=Submitted in rock."}));
    std::vector<std::string> titles;
    for (const lookup::TrackRow& row : entry.tracks)
        titles.push_back(row.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"North Road", "Cold Frame", "Lamplighter", "Field Notes",
                                                "Glass Harbour", "Undertow", "Small Hours", "Ashgrove",
                                                "Weathervane", "Last Train South"}));
    ASSERT_FALSE(entry.tracks.empty());
    EXPECT_EQ(entry.tracks.back().number + entry.tracks.back().length, " 10 4:16");  // from the disc, not the entry
}

TEST_P(DiscLookupTest, LookupWithoutAWholeEntryLeavesTheResetEntry)
{
    struct Case {
        Fault fault;
        bool cancel;
        CddbOutcome outcome;
        bool message;
    };
    runner.setChooser([](const std::vector<std::string>&) { return std::optional<std::size_t>(2); });
    for (const Case& c : {Case{Fault::Stall, true, CddbOutcome::Cancelled, false},
                          Case{Fault::CloseMidEntry, false, CddbOutcome::Failed, true}}) {
        server.setFault(c.fault);
        outcome.reset();
        ASSERT_TRUE(discLookup.start(earlierEntry(), "pop"));
        EXPECT_FALSE(discLookup.start(earlierEntry(), "pop"));  // one lookup at a time
        qint64 cancelledAt = 0;
        if (c.cancel) {
            QTimer::singleShot(300, [&] {
                cancelledAt = clock.elapsed();
                runner.cancel();
            });
        }
        ASSERT_TRUE(test_support::waitForSignal(&discLookup, &lookup::DiscLookup::finished));
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->outcome, c.outcome);
        if (c.cancel) {
            EXPECT_LT(finishedAt - cancelledAt, 1000);
        }
        EXPECT_FALSE(outcome->showEditForm);
        EXPECT_EQ(outcome->failureMessage.empty(), !c.message) << outcome->failureMessage;
        const lookup::AlbumEntry& entry = outcome->entry;
        EXPECT_EQ(entry.artist, "Earlier Artist");  // not part of the reset
        EXPECT_EQ(entry.album, "Earlier Album");
        EXPECT_EQ(entry.genre, "pop");
        EXPECT_EQ(entry.year, "");
        EXPECT_EQ(entry.revision, "0");
        EXPECT_TRUE(entry.notes.empty());
        ASSERT_EQ(entry.tracks.size(), kCloseOffsets.size());
        EXPECT_EQ(entry.tracks.front().number + entry.tracks.front().length, "  1 3:38");
        EXPECT_EQ(entry.tracks.back().number + entry.tracks.back().length, " 10 4:16");
        for (std::size_t i = 0; i < entry.tracks.size(); ++i)
            EXPECT_EQ(entry.tracks[i].title, "Track " + std::to_string(i + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, DiscLookupTest, testing::Values(CddbTransport::Tcp, CddbTransport::Http),
                         [](const auto& info) { return info.param == CddbTransport::Tcp ? "Tcp" : "Http"; });

}  // namespace
