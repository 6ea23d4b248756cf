// MusicBrainz as the add flows and the edit form use it, against the
// loopback server: a cover fetched for the release an album's notes name.
#include "lookup/musicbrainz_lookup.h"

#include <gtest/gtest.h>

#include "platform/net/curl_http_getter.h"
#include "support/event_loop_wait.h"
#include "support/musicbrainz_test_server.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

TEST(MusicBrainzLookup, AddFrontCoverFetchesTheCoverOfTheReleaseTheNotesName)
{
    test_support::TempDir dir;
    test_support::MusicBrainzTestServer server;
    settings::ProgramSettings settings;
    settings.musicBrainzUrl = settings.coverArtUrl = server.url();
    test_support::ScriptedPrompter prompter;
    test_support::EventLoopWait wait;
    platform::CurlHttpGetter http;
    lookup::MusicBrainzRateLimit noRateLimit{std::chrono::milliseconds(0)};
    lookup::MusicBrainzExchangeRunner runner(lookup::musicBrainzServiceFromSettings(settings), http, noRateLimit);
    lookup::MusicBrainzLookup musicBrainz(runner, wait, prompter, settings, dir.file("covers"), {},
                                          [](const std::string&) {});

    std::string notes = "Bought 1999";
    EXPECT_FALSE(musicBrainz.addFrontCover(notes, "Harbour Lights"));
    notes += "\r\nURL=https://musicbrainz.org/release/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30";
    EXPECT_FALSE(musicBrainz.addFrontCover(notes, "Harbour Lights")) << "a page on another server";
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(prompter.requests().empty());

    const std::string page = "URL=" + server.url() + "/release/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30";
    notes = "Bought 1999\r\n" + page;
    prompter.answerConfirm(true);
    EXPECT_TRUE(musicBrainz.addFrontCover(notes, "Harbour Lights"));
    EXPECT_EQ(notes, "Bought 1999\r\n" + page + "\r\nCOVER=" + dir.file("covers") +
                         "/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30.jpg");

    // A program folder whose name Windows-1252 cannot spell: the line names
    // the picture from the program folder instead of a path of "?".
    lookup::MusicBrainzLookup elsewhere(runner, wait, prompter, settings, dir.file("\xce\xa9") + "/covers", {},
                                        [](const std::string&) {});
    notes = page;
    prompter.answerConfirm(true);
    EXPECT_TRUE(elsewhere.addFrontCover(notes, "Harbour Lights"));
    EXPECT_EQ(notes, page + "\r\nCOVER=covers/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30.jpg");
}

}  // namespace
