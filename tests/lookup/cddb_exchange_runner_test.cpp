#include "lookup/cddb_exchange_runner.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "support/cddb_test_server.h"
#include "support/event_loop.h"

namespace {

using lookup::CddbOutcome;
using lookup::CddbTransport;
using Fault = test_support::CddbTestServer::Fault;
using test_support::kExactQuery;
using test_support::kCloseThreeQuery;

class CddbExchangeRunnerTest : public testing::TestWithParam<CddbTransport> {
protected:
    CddbExchangeRunnerTest() { test_support::coreApplication(); }

    lookup::CddbServer cddbServer() const
    {
        const bool tcp = GetParam() == CddbTransport::Tcp;
        return {"127.0.0.1", tcp ? server.tcpPort() : server.httpPort(), GetParam(), false};
    }

    // Runs the event loop until `runner` reports a lookup, at most 10 s;
    // the longest pause between two ticks of a 10 ms timer meanwhile.
    qint64 runUntilFinished(lookup::CddbExchangeRunner& runner)
    {
        QEventLoop loop;
        QObject::connect(&runner, &lookup::CddbExchangeRunner::lookupFinished, &loop,
                         [&](const lookup::CddbLookupResult& result) {
                             finished = result;
                             finishedAt = clock.elapsed();
                             loop.quit();
                         });
        QElapsedTimer sinceTick;
        sinceTick.start();
        qint64 longestGap = 0;
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticks.start(10);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return longestGap;
    }

    test_support::CddbTestServer server;
    platform::TcpLineConnector tcp;
    platform::CurlHttpGetter http;
    QElapsedTimer clock;
    std::optional<lookup::CddbLookupResult> finished;
    qint64 finishedAt = 0;
};

TEST_P(CddbExchangeRunnerTest, StalledServerLeavesTheLoopTurningAndCancelEndsTheLookupWithinASecond)
{
    server.setFault(Fault::Stall);
    lookup::CddbExchangeRunner runner(cddbServer(), lookup::CddbHello("", "5.2b"), tcp, http);
    clock.start();
    ASSERT_TRUE(runner.startLookup(kExactQuery));
    EXPECT_FALSE(runner.startSites());  // one exchange at a time
    qint64 cancelledAt = 0;
    QTimer::singleShot(500, [&] {
        cancelledAt = clock.elapsed();
        runner.cancel();
    });
    const qint64 longestGap = runUntilFinished(runner);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->outcome, CddbOutcome::Cancelled);
    EXPECT_GT(cancelledAt, 0);
    EXPECT_LT(finishedAt - cancelledAt, 1000);
    EXPECT_LT(longestGap, 250);
    EXPECT_FALSE(runner.busy());
}

TEST_P(CddbExchangeRunnerTest, SilentServerTimesOutWithAMessageNamingTheHost)
{
    server.setFault(Fault::Stall);
    lookup::CddbExchangeRunner runner(cddbServer(), lookup::CddbHello("", "5.2b"), tcp, http);
    runner.setTimeouts(std::chrono::milliseconds(2000), std::chrono::milliseconds(250));
    clock.start();
    runner.startLookup(kExactQuery);
    runUntilFinished(runner);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->outcome, CddbOutcome::Failed);
    EXPECT_EQ(finished->message, "No answer from 127.0.0.1 port " + std::to_string(cddbServer().port) +
                                     " within 250 ms");
    EXPECT_LT(finishedAt, 2000);
}

TEST_P(CddbExchangeRunnerTest, StepsAreReportedAndTheChoiceIsAskedOnTheOwnerThread)
{
    lookup::CddbExchangeRunner runner(cddbServer(), lookup::CddbHello("", "5.2b"), tcp, http);
    std::vector<std::string> statuses;
    QObject::connect(&runner, &lookup::CddbExchangeRunner::statusChanged,
                     [&](const std::string& text) { statuses.push_back(text); });
    bool askedOnOwnerThread = false;
    runner.setChooser([&](const std::vector<std::string>& matches) {
        askedOnOwnerThread = QThread::currentThread() == test_support::coreApplication().thread();
        return matches.empty() ? std::nullopt : std::optional<std::size_t>(0);
    });
    clock.start();
    runner.startLookup(kCloseThreeQuery);
    runUntilFinished(runner);
    ASSERT_TRUE(finished);
    EXPECT_TRUE(askedOnOwnerThread);
    EXPECT_TRUE(finished->entry);
    const std::vector<std::string> tcpSteps{"Connecting ...", "Searching ...", "Loading ...", "Disconnecting ..."};
    const std::vector<std::string> httpSteps{"Searching ...", "Loading ..."};
    EXPECT_EQ(statuses, GetParam() == CddbTransport::Tcp ? tcpSteps : httpSteps);
}

INSTANTIATE_TEST_SUITE_P(Transports, CddbExchangeRunnerTest,
                         testing::Values(CddbTransport::Tcp, CddbTransport::Http),
                         [](const auto& info) { return info.param == CddbTransport::Tcp ? "Tcp" : "Http"; });

}  // namespace
