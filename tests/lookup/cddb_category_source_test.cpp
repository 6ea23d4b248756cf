// The start-up's category list from the loopback CDDB server: what arrives,
// and a refusal told in the status line instead of a box.
#include "lookup/cddb_category_source.h"

#include <gtest/gtest.h>

#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "support/cddb_test_server.h"
#include "support/event_loop.h"

namespace {

class CddbCategorySourceTest : public testing::Test {
protected:
    // The categories handed over, and the status texts on the way.
    std::optional<std::vector<std::string>> request()
    {
        lookup::CddbCategorySource source(runner);
        std::optional<std::vector<std::string>> categories;
        source.requestCategories([this](const std::string& text) { statuses.push_back(text); },
                                 [&categories](std::vector<std::string> list) { categories = std::move(list); });
        test_support::waitForSignal(&runner, &lookup::CddbExchangeRunner::categoriesFinished);
        return categories;
    }

    test_support::CddbTestServer server;
    platform::TcpLineConnector tcp;
    platform::CurlHttpGetter http;
    lookup::CddbExchangeRunner runner{{"127.0.0.1", server.tcpPort(), lookup::CddbTransport::Tcp, false},
                                      lookup::CddbHello("", "5.2b"), tcp, http};
    std::vector<std::string> statuses;
};

TEST_F(CddbCategorySourceTest, TheServersCategoriesArriveAndTheStatusLineIsCleared)
{
    const auto categories = request();
    ASSERT_TRUE(categories);
    EXPECT_GT(categories->size(), 8u);
    EXPECT_NE(std::find(categories->begin(), categories->end(), "rock"), categories->end());
    EXPECT_EQ(statuses, std::vector<std::string>{""});
}

TEST_F(CddbCategorySourceTest, ARefusingServerGivesNoCategoriesAndSaysWhyInTheStatusLine)
{
    using Fault = test_support::CddbTestServer::Fault;
    for (const auto& [fault, reply] : {std::pair{Fault::HelloRefused, "error 431"},
                                       std::pair{Fault::HelloUnknown, "error 500 Unknown developer email"}}) {
        server.setFault(fault);
        statuses.clear();
        const auto categories = request();
        ASSERT_TRUE(categories);
        EXPECT_TRUE(categories->empty());
        ASSERT_EQ(statuses.size(), 1u);
        EXPECT_NE(statuses.front().find(reply), std::string::npos) << statuses.front();
    }
}

}  // namespace
