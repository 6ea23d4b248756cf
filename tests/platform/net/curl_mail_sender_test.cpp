// SMTP through libcurl against a real SMTP server on loopback: the message
// arrives byte for byte, and a refusal, a closed port, a silent server and
// a cancel each end in an error that says what happened.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/net/curl_mail_sender.h"
#include "platform/net_error.h"
#include "support/smtp_test_server.h"

namespace {

using platform::NetError;
using test_support::SmtpTestServer;

TEST(CurlMailSender, DeliversTheMessageByteForByte)
{
    SmtpTestServer server;
    // A line that starts with a dot must not end the message early, and
    // 8-bit bytes pass as they are.
    const std::string text = "From: joe@example.org\r\nTo: submit@example.org\r\nSubject: cddb rock 7a0b5c09\r\n\r\n"
                             ".\r\n..two dots\r\nMar\xe9\x65 \xe2\x82\xac\r\n";
    platform::CurlMailSender().send({"127.0.0.1", server.port()}, {"joe@example.org", "submit@example.org", text}, {});

    const auto deliveries = server.deliveries();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].bytes, text);
    EXPECT_EQ(deliveries[0].from, "joe@example.org");
    EXPECT_EQ(deliveries[0].to, std::vector<std::string>{"submit@example.org"});
}

TEST(CurlMailSender, FailuresSayWhatHappenedAndNameTheServer)
{
    struct Case {
        const char* name;
        std::optional<SmtpTestServer::Mode> mode;  // none: a port nobody listens on
        bool cancelled;
        NetError::Kind kind;
        std::string says;
    };
    const Case cases[] = {
        {"refused", SmtpTestServer::Mode::Refuse, false, NetError::Kind::Failed, SmtpTestServer::kRefusal},
        {"unreachable", std::nullopt, false, NetError::Kind::Failed, "Could not send mail through"},
        {"silent", SmtpTestServer::Mode::Silent, false, NetError::Kind::TimedOut, "within 300 ms"},
        {"cancelled", SmtpTestServer::Mode::Silent, true, NetError::Kind::Cancelled, "Cancelled"},
    };
    for (const Case& c : cases) {
        std::optional<SmtpTestServer> server;
        if (c.mode)
            server.emplace(*c.mode);
        const int port = server ? server->port() : SmtpTestServer::closedPort();
        std::atomic<bool> cancel{c.cancelled};
        platform::NetWait wait;
        wait.readTimeout = std::chrono::milliseconds(300);
        wait.cancelled = &cancel;
        try {
            platform::CurlMailSender().send({"127.0.0.1", port}, {"joe@example.org", "submit@example.org", "\r\n"},
                                            wait);
            ADD_FAILURE() << c.name << ": sent";
        } catch (const NetError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.name << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find("127.0.0.1 port " + std::to_string(port)), std::string::npos)
                << c.name << ": " << e.what();
        }
        if (server) {
            EXPECT_TRUE(server->deliveries().empty()) << c.name;
        }
    }
}

}  // namespace
