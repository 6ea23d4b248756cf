// The submission mail: its category, the mail server setting, and the
// message as it goes on the wire, checked against what the database's
// mail checker accepted.
#include <gtest/gtest.h>

#include "lookup/submission_mail.h"
#include "support/fixture_files.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::submissionMail;

const std::vector<std::string> kOfficial{"blues", "rock", "misc", "classical", "country", "data",
                                         "folk",  "jazz", "newage", "reggae", "soundtrack"};

TEST(SubmissionMail, CategoryIsAnOfficialOneAsTheDatabaseSpellsIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"rock", "rock"},     {"Rock", "rock"},     {"soundtrac", "soundtrack"}, {"soundtrack", "soundtrack"},
        {"pop", "misc"},      {"", "misc"},
    };
    for (const auto& [genre, category] : cases)
        EXPECT_EQ(lookup::submissionCategory(genre, kOfficial), category) << genre;
    EXPECT_EQ(lookup::submissionCategory("jazz", {" jazz"}), "jazz");
    EXPECT_EQ(lookup::submissionCategory("", {""}), "misc");
}

TEST(SubmissionMail, ServerSettingNamesHostAndPort)
{
    struct Case {
        const char* setting;
        std::optional<platform::MailServer> server;
    };
    const Case cases[] = {
        {"mail.example.org", platform::MailServer{"mail.example.org", 25}},
        {" mail.example.org:2525 ", platform::MailServer{"mail.example.org", 2525}},
        {"[::1]:2525", platform::MailServer{"::1", 2525}},
        {"::1", platform::MailServer{"::1", 25}},
        {"", std::nullopt},
        {"mail.example.org:smtp", std::nullopt},
        {"mail.example.org:0", std::nullopt},
        {":25", std::nullopt},
        {"mail example.org", std::nullopt},
        {"[::1]x", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto server = lookup::mailServerFromSetting(c.setting);
        ASSERT_EQ(server.has_value(), c.server.has_value()) << c.setting;
        if (server) {
            EXPECT_EQ(server->host, c.server->host) << c.setting;
            EXPECT_EQ(server->port, c.server->port) << c.setting;
        }
    }
}

TEST(SubmissionMail, MessageGoesOnTheWireAsTheCheckerAcceptsIt)
{
    const auto mail = submissionMail("joe@example.org", "submit@example.org", " folk", "31054005",
                                     {"# xmcd", "DTITLE=Les Mar\xe9\x65s / Suite du Port", "PLAYORDER="},
                                     "08 Dec 2026 14:19:22 +0100");
    EXPECT_EQ(mail.from, "joe@example.org");
    EXPECT_EQ(mail.to, "submit@example.org");
    EXPECT_EQ(mail.text, "From: joe@example.org\r\n"
                         "To: submit@example.org\r\n"
                         "Subject: cddb folk 31054005\r\n"
                         "Date: 08 Dec 2026 14:19:22 +0100\r\n"
                         "MIME-Version: 1.0\r\n"
                         "Content-Type: text/plain; charset=ISO-8859-1\r\n"
                         "Content-Transfer-Encoding: 8bit\r\n"
                         "\r\n"
                         "# xmcd\r\n"
                         "DTITLE=Les Mar\xe9\x65s / Suite du Port\r\n"
                         "PLAYORDER=\r\n");
    // The accepted Latin-1 submission carried the same MIME header lines.
    const auto accepted = test_support::fileLines(
        test_support::fixturePath("cddb/submissions/valid_latin1_with_charset.eml"));
    for (const char* header : {"MIME-Version: 1.0", "Content-Type: text/plain; charset=ISO-8859-1",
                               "Content-Transfer-Encoding: 8bit"})
        EXPECT_NE(std::find(accepted.begin(), accepted.end(), header), accepted.end()) << header;
}

TEST(SubmissionMail, CharsetFollowsTheText)
{
    struct Case {
        std::string line;
        std::string charsetHeader;
        std::string sent;
    };
    const Case cases[] = {
        {"TTITLE0=Plain", "Content-Type: text/plain; charset=US-ASCII\r\nContent-Transfer-Encoding: 7bit\r\n",
         "TTITLE0=Plain\r\n"},
        // Characters that only Windows-1252 has: the whole text goes as UTF-8.
        {"TTITLE0=5 \x80 Caf\xe9 \x93quoted\x94",
         "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n",
         "TTITLE0=5 \xe2\x82\xac Caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d\r\n"},
        // A line break inside a value cannot go on the wire as it is.
        {"EXTD=one\rtwo\nthree", "charset=US-ASCII", "EXTD=one two three\r\n"},
    };
    for (const Case& c : cases) {
        const std::string text = submissionMail("a@b.c", "d@e.f", "misc", "00000000", {c.line}, "date").text;
        EXPECT_NE(text.find(c.charsetHeader), std::string::npos) << c.line;
        EXPECT_TRUE(text.ends_with("\r\n\r\n" + c.sent)) << c.line << "\n" << text;
    }
}

TEST(SubmissionMail, LongLinesContinueUnderTheirKeyWithinTheDatabasesLimit)
{
    // ASCII, Latin-1, and a character sent as three bytes of UTF-8 that
    // must not be cut.
    const std::pair<std::string, std::string> letters[] = {{"x", "x"}, {"\xe9", "\xe9"}, {"\x80", "\xe2\x82\xac"}};
    for (const auto& [letter, sent] : letters) {
        std::string value;
        std::string expected;
        for (int i = 0; i < 600; ++i) {
            value += letter;
            expected += sent;
        }
        const std::string text =
            submissionMail("a@b.c", "d@e.f", "misc", "00000000", {"EXTD=" + value, "PLAYORDER="}, "date").text;
        std::string joined;
        std::size_t lines = 0;
        for (std::size_t at = text.find("\r\n\r\n") + 4; at < text.size();) {
            const std::size_t end = text.find("\r\n", at);
            const std::string line = text.substr(at, end - at);
            EXPECT_LE(line.size() + 2, 256u) << sent;
            if (line.starts_with("EXTD=")) {
                joined += line.substr(5);
                ++lines;
            }
            at = end + 2;
        }
        EXPECT_GT(lines, 2u) << sent;
        EXPECT_EQ(joined, expected) << sent;
        EXPECT_TRUE(text.ends_with("\r\nPLAYORDER=\r\n")) << sent;
    }
}

}  // namespace
