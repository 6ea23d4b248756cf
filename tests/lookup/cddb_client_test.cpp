#include "lookup/cddb_client.h"

#include <gtest/gtest.h>

#include "lookup/cddb_commands.h"
#include "lookup/disc_id.h"
#include "lookup/toc_arithmetic.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "support/cddb_test_server.h"

namespace {

using lookup::CddbOutcome;
using lookup::CddbTransport;
using Fault = test_support::CddbTestServer::Fault;
using test_support::kExactQuery;
using test_support::kCloseThreeQuery;
using test_support::kCloseOneQuery;
using test_support::kExactTwoQuery;
using test_support::kUnknownQuery;

class CddbClientTest : public testing::TestWithParam<CddbTransport> {
protected:
    lookup::CddbClient client(const std::string& mail = "")
    {
        const bool tcp = GetParam() == CddbTransport::Tcp;
        lookup::CddbClient made({"127.0.0.1", tcp ? server.tcpPort() : server.httpPort(), GetParam(), false},
                                lookup::CddbHello(mail, "5.2b"), tcpConnector, httpGetter);
        made.setChooser([this](const std::vector<std::string>& matches) {
            offered.push_back(matches);
            return choice;
        });
        platform::NetWait wait;
        wait.connectTimeout = std::chrono::milliseconds(2000);
        wait.readTimeout = std::chrono::milliseconds(300);
        made.setWait(wait);
        return made;
    }
    bool overTcp() const { return GetParam() == CddbTransport::Tcp; }

    test_support::CddbTestServer server;
    platform::TcpLineConnector tcpConnector;
    platform::CurlHttpGetter httpGetter;
    std::vector<std::vector<std::string>> offered;
    std::optional<std::size_t> choice;
};

TEST_P(CddbClientTest, ExactMatchIsReadWholeAndFillsTheForm)
{
    const auto result = client().lookup(kExactQuery);
    ASSERT_EQ(result.outcome, CddbOutcome::Completed) << result.message;
    EXPECT_TRUE(result.showEditForm);
    EXPECT_FALSE(result.notFound);
    EXPECT_TRUE(offered.empty());
    ASSERT_TRUE(result.entry);
    EXPECT_EQ(result.entry->back().rfind("PLAYORDER", 0), 0u);

    lookup::AlbumEntry entry;
    entry.tracks.resize(11);
    lookup::fillAlbumEntry(result, entry);
    EXPECT_EQ(entry.genre, "rock");
    EXPECT_EQ(entry.artist, "Van Halen");
    EXPECT_EQ(entry.album, "Van Halen");
    EXPECT_EQ(entry.tracks[0].title, "Runnin' With The Devil");

    if (overTcp()) {
        const std::vector<std::string> sent{"cddb hello anonymous localhost Vinora 5.2b", "proto 5", kExactQuery,
                                            "cddb read rock 8608460b", "quit"};
        EXPECT_EQ(server.receivedLines(), sent);
    }
}

TEST_P(CddbClientTest, SeveralMatchesGoToTheChooserAndTheChosenOneIsRead)
{
    choice = 2;
    const auto result = client().lookup(kCloseThreeQuery);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].size(), 3u);
    ASSERT_TRUE(result.match);
    EXPECT_EQ(result.match->category + " " + result.match->discId, offered[0][2].substr(0, 13));
    ASSERT_TRUE(result.entry);
    EXPECT_NE(std::find(result.entry->begin(), result.entry->end(), "DISCID=" + result.match->discId),
              result.entry->end());
}

TEST_P(CddbClientTest, SingleCloseMatchIsReadWithoutAsking)
{
    const auto result = client().lookup(kCloseOneQuery);
    EXPECT_TRUE(offered.empty());
    ASSERT_TRUE(result.match);
    EXPECT_EQ(result.match->discId, "8608460b");
    EXPECT_TRUE(result.entry);
}

TEST_P(CddbClientTest, CancelledChoiceShowsTheFormWithoutEntry)
{
    const auto result = client().lookup(kExactTwoQuery);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].size(), 2u);  // a 210 list: the same disc in two categories
    EXPECT_EQ(result.outcome, CddbOutcome::Completed);
    EXPECT_TRUE(result.showEditForm);
    EXPECT_FALSE(result.notFound);
    EXPECT_FALSE(result.entry);
}

TEST_P(CddbClientTest, AnswersOtherThanMatchesEndWithoutEntry)
{
    struct Case {
        Fault fault;
        std::function<lookup::CddbLookupResult(lookup::CddbClient&)> exchange;
        bool notFound;
    };
    const Case cases[] = {
        {Fault::None, [](auto& c) { return c.lookup(kUnknownQuery); }, true},            // 202
        {Fault::QueryRefused, [](auto& c) { return c.lookup(kExactQuery); }, true},      // 409
        {Fault::None, [](auto& c) { return c.read("rock", "12345678"); }, true},         // 401
        {Fault::QueryServerError, [](auto& c) { return c.lookup(kExactQuery); }, false},  // 500
        {Fault::None, [](auto& c) { return c.read("pop", "8608460b"); }, false},         // 501
    };
    for (const Case& c : cases) {
        server.setFault(c.fault);
        auto cddb = client();
        const auto result = c.exchange(cddb);
        EXPECT_EQ(result.outcome, CddbOutcome::Completed) << result.reply;
        EXPECT_EQ(result.notFound, c.notFound) << result.reply;
        EXPECT_FALSE(result.entry) << result.reply;
        EXPECT_TRUE(result.message.empty()) << result.reply;
    }
}

TEST_P(CddbClientTest, SitesGiveEachRunOfAHostOnce)
{
    server.setSites({"a.example.org cddbp 8880 -", "a.example.org http 80 /~cddb/cddb.cgi",
                     "b.example.org cddbp 8880 -", "a.example.org http 80 /~cddb/cddb.cgi"});
    const auto result = client().listSites();
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.items, (std::vector<std::string>{"a.example.org", "b.example.org", "a.example.org"}));
}

TEST_P(CddbClientTest, CategoriesAreListed)
{
    const auto result = client().listCategories();
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.items, test_support::CddbTestDatabase::categories());
}

TEST_P(CddbClientTest, MisbehavingServersEndTheExchangeWithAMessageAndNoEntry)
{
    struct Case {
        Fault fault;
        const char* message;
    };
    const Case cases[] = {
        {Fault::Stall, "within 300 ms"},
        // Over TCP the line or the list is too long, over HTTP the body.
        {Fault::EndlessLine, "longer than"},
        {Fault::EndlessList, "longer than"},
        {Fault::CloseMidEntry, "before it was complete"},
    };
    for (const Case& c : cases) {
        server.setFault(c.fault);
        const auto result = client().lookup(kExactQuery);
        EXPECT_EQ(result.outcome, CddbOutcome::Failed) << c.message;
        EXPECT_NE(result.message.find("127.0.0.1"), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        EXPECT_FALSE(result.showEditForm);
        EXPECT_FALSE(result.entry);
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, CddbClientTest, testing::Values(CddbTransport::Tcp, CddbTransport::Http),
                         [](const auto& info) { return info.param == CddbTransport::Tcp ? "Tcp" : "Http"; });

class CddbClientOverTcp : public CddbClientTest {};

TEST_P(CddbClientOverTcp, GreetingAndHandshakeDecideWhetherTheSearchStarts)
{
    struct Case {
        Fault fault;
        const char* message;
    };
    const Case cases[] = {
        {Fault::Greeting200, ""},
        {Fault::GreetingRefused, "Could not connect to CDDB server, error 432"},
        {Fault::GreetingError, "Could not connect to CDDB server, error 530"},
        {Fault::HelloRefused, "Handshake with CDDB server failed, error 431"},
        {Fault::HelloUnknown, "Handshake with CDDB server failed, error 500 Unknown developer email"},
    };
    for (const Case& c : cases) {
        server.setFault(c.fault);
        const auto result = client().lookup(kExactQuery);
        EXPECT_EQ(result.outcome, CddbOutcome::Completed);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.showEditForm, result.message.empty()) << c.message;
    }
}

TEST_P(CddbClientOverTcp, MailAddressIntroducesTheUser)
{
    client("joe@example.org").listCategories();
    ASSERT_FALSE(server.receivedLines().empty());
    EXPECT_EQ(server.receivedLines()[0], "cddb hello joe example.org Vinora 5.2b");
}

INSTANTIATE_TEST_SUITE_P(Tcp, CddbClientOverTcp, testing::Values(CddbTransport::Tcp));

class CddbClientOverHttp : public CddbClientTest {};

TEST_P(CddbClientOverHttp, QueryOfAThreeTrackDiscIsOneRequestWithTheWholeTarget)
{
    platform::DiscToc toc;
    toc.trackCount = 3;
    toc.tracks[0] = lookup::msfFromFrames(150);
    toc.tracks[1] = lookup::msfFromFrames(10000);
    toc.tracks[2] = lookup::msfFromFrames(20000);
    toc.leadOut = lookup::msfFromFrames(30000);
    const std::string id = lookup::discIdText(lookup::calcDiscId(toc));
    client().lookup(lookup::cddbQueryCommand(id, toc));
    const std::vector<std::string> targets{"/~cddb/cddb.cgi?cmd=cddb+query+" + id +
                                           "+3+150+10000+20000+400&hello=anonymous+localhost+Vinora+5.2b&proto=5"};
    EXPECT_EQ(server.requestTargets(), targets);
}

TEST_P(CddbClientOverHttp, HttpErrorStatusIsAFailureNamingTheHost)
{
    server.setFault(Fault::HttpServerError);
    const auto result = client().lookup(kExactQuery);
    EXPECT_EQ(result.outcome, CddbOutcome::Failed);
    EXPECT_NE(result.message.find("127.0.0.1"), std::string::npos);
    EXPECT_NE(result.message.find("500"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Http, CddbClientOverHttp, testing::Values(CddbTransport::Http));

}  // namespace
