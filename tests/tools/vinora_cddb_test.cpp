// vinora-cddb run as a process against the loopback CDDB server.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/cddb_test_server.h"
#include "support/disc_image.h"
#include "support/fixture_files.h"
#include "support/musicbrainz_test_server.h"
#include "support/temp_dir.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class VinoraCddb : public testing::Test {
protected:
    VinoraCddb()
    {
        // Van Halen's disc, known to the server, and one it does not know.
        known = test_support::writeCueImage(
            dir.path(), "known",
            test_support::audioTracks({150, 16256, 23927, 35697, 52776, 69641, 85409, 98949, 115528, 130650, 145517}),
            2120 * 75);
        unknown =
            test_support::writeCueImage(dir.path(), "unknown", test_support::audioTracks({150, 18000, 39000, 61000, 80500}),
                                        1312 * 75);
    }

    ToolRun run(const std::string& arguments)
    {
        ToolRun result;
        result.out = test_support::runCapture("VINORA_HOME=" + dir.path() + " " + VINORA_CDDB_TOOL + " " + arguments +
                                                  " 2>" + dir.file("stderr"),
                                              &result.status);
        result.err = test_support::readFile(dir.file("stderr"));
        return result;
    }
    std::string at(int port) { return "--host 127.0.0.1 --port " + std::to_string(port) + " "; }

    test_support::CddbTestServer server;
    test_support::TempDir dir;
    std::string known;
    std::string unknown;
};

TEST_F(VinoraCddb, EveryCommandOverBothTransports)
{
    const std::string offsets = "150 16256 23927 35697 52776 69641 85409 98949 115528 130650 145517";
    struct Case {
        std::string arguments;
        int status;
        std::string out;  // the whole output, or its first line when it ends in "..."
    };
    for (const char* transport : {"tcp", "http"}) {
        const std::string endpoint =
            std::string(transport) == "tcp" ? at(server.tcpPort()) : at(server.httpPort()) + "--http ";
        const Case cases[] = {
            {"discid " + known, 0, "8608460b 11 " + offsets + " 2120\nmusicbrainz iIg8JADCmXegGxkCqpPP.r_2sb8-\n"},
            {endpoint + "query " + known, 0, "rock 8608460b Van Halen / Van Halen\n"},
            {endpoint + "query " + unknown, 1, ""},
            {endpoint + "read rock 8608460b", 0, "# xmcd..."},
            {endpoint + "read rock 12345678", 1, ""},
            {endpoint + "sites", 0, "us.example.org\nde.example.org\n"},
            {endpoint + "lscat", 0, "folk\n..."},
        };
        for (const Case& c : cases) {
            const ToolRun result = run(c.arguments);
            EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
            if (c.out.ends_with("..."))
                EXPECT_EQ(result.out.substr(0, c.out.size() - 3), c.out.substr(0, c.out.size() - 3)) << c.arguments;
            else
                EXPECT_EQ(result.out, c.out) << c.arguments;
        }
    }
}

TEST_F(VinoraCddb, ReadPrintsTheEntryWhole)
{
    const ToolRun result = run(at(server.tcpPort()) + "read misc 5506cf08");
    const std::string stored = test_support::readFile(test_support::fixturePath("cddb/entries/misc/5506cf08"));
    EXPECT_EQ(result.out, stored);
}

TEST_F(VinoraCddb, SettingsNameTheServerAndTheUser)
{
    std::ofstream(dir.file("Vinora.ini")) << "[Current]\r\nHost=127.0.0.1\r\nProtocol=H\r\nMail=joe@example.org\r\n";
    const ToolRun result = run("--port " + std::to_string(server.httpPort()) + " lscat");
    EXPECT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(server.requestTargets().size(), 1u);
    EXPECT_NE(server.requestTargets()[0].find("&hello=joe+example.org+Vinora+"), std::string::npos);
}

TEST_F(VinoraCddb, MbPrintsTheReleasesMusicBrainzHoldsTheDiscOn)
{
    test_support::MusicBrainzTestServer musicBrainz;
    const std::string four = test_support::writeCueImage(
        dir.path(), "four", test_support::audioTracks({150, 23280, 40500, 56324}), 67510);
    const std::string at = "--mail joe@example.org --musicbrainz " + musicBrainz.url() + " mb ";
    const ToolRun found = run(at + four);
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30 Ana Lund & The Quay Band / Harbour Lights (disc 2) "
                         "(1998-04-20, SE, CD, 4 tracks, 7391234567890)\n");
    ASSERT_EQ(musicBrainz.requests().size(), 1u);
    EXPECT_EQ(musicBrainz.requests()[0].userAgent.rfind("Vinora/", 0), 0u);
    EXPECT_NE(musicBrainz.requests()[0].userAgent.find("( joe@example.org )"), std::string::npos);

    // The disc the CDDB server does not know is on two releases; the one
    // it knows is on none.
    const ToolRun several = run(at + unknown);
    EXPECT_EQ(several.status, 0);
    EXPECT_EQ(std::count(several.out.begin(), several.out.end(), '\n'), 2);
    EXPECT_EQ(run(at + known).status, 1);
    const ToolRun down = run("--musicbrainz " + test_support::MusicBrainzTestServer::closedUrl() + " mb " + four);
    EXPECT_EQ(down.status, 2);
    EXPECT_EQ(down.err.rfind("vinora-cddb: Could not reach 127.0.0.1", 0), 0u) << down.err;
}

TEST_F(VinoraCddb, ErrorsGiveStatusTwoAndAMessage)
{
    server.setFault(test_support::CddbTestServer::Fault::GreetingRefused);
    for (const std::string& arguments :
         {at(1) + "lscat", at(server.tcpPort()) + "query " + known, std::string("discid ") + dir.file("none.cue"),
          std::string("query"), std::string("--port x sites"), std::string("frobnicate")}) {
        const ToolRun result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
        EXPECT_EQ(result.err.rfind("vinora-cddb: ", 0), 0u) << arguments << ": " << result.err;
    }
}

}  // namespace
