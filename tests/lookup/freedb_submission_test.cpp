// Giving an album to the online database, end to end: the catalogue's
// album, the settings file, the scripted user and a real SMTP server on
// loopback. The revision advances only once the server took the message.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "common/product_version.h"
#include "lookup/entry_writer.h"
#include "lookup/freedb_submission.h"
#include "lookup/submission_album.h"
#include "platform/net/curl_mail_sender.h"
#include "settings/default_settings.h"
#include "support/event_loop.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/smtp_test_server.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::FreedbSubmission;
using test_support::ScriptedPrompter;
using test_support::SmtpTestServer;
using Kind = ScriptedPrompter::Kind;

// The small set's first album: Pink Floyd, genre "rock", revision "1", ten tracks.
constexpr std::uint32_t kAlbumRecord = 1;
const std::string kAlbumId = "7a0b3c0d";

class FreedbSubmissionTest : public testing::Test {
protected:
    FreedbSubmissionTest()
    {
        test_support::coreApplication();
        test_support::copyFixtureSet("xbase/small", dir_.path());
        catalogue_.createMissingFilesAndOpenViews();
        catalogue_.albums()->goToRecord(kAlbumRecord);
        state_.programDir = dir_.path() + "/";
        for (std::string_view genre : settings::kDefaultGenres)
            state_.official.emplace_back(genre);
        std::vector<long> offsets;
        for (long track = 0; track < 10; ++track)
            offsets.push_back(150 + track * 20000);
        state_.lookup.currentToc = test_support::discToc(offsets, 210000);
        state_.lookup.currentAlbumId = kAlbumId;
    }

    void writeSettings(const std::string& current)
    {
        std::ofstream(dir_.file("Vinora.ini"), std::ios::binary) << "[Current]\r\n" << current;
    }
    std::string mailSettings(int port) const
    {
        return "Mail=joe@example.org\r\nServer=127.0.0.1:" + std::to_string(port) + "\r\n";
    }

    // Starts a submission, does `meanwhile` and waits for its end; whether
    // it was taken.
    bool submit(const std::function<void()>& meanwhile = {})
    {
        if (!submission_.start())
            return false;
        if (meanwhile)
            meanwhile();
        bool submitted = false;
        QObject::connect(&submission_, &FreedbSubmission::finished, &submission_,
                         [&](bool taken) { submitted = taken; }, Qt::SingleShotConnection);
        EXPECT_TRUE(test_support::waitForSignal(&submission_, &FreedbSubmission::finished));
        return submitted;
    }

    std::string rev()
    {
        catalogue_.albums()->goToRecord(kAlbumRecord);
        return catalogue_.albums()->field("Rev");
    }

    test_support::TempDir dir_;
    catalogue::Catalogue catalogue_{dir_.path()};
    common::ProgramState state_;
    ScriptedPrompter prompter_;
    platform::CurlMailSender sender_;
    FreedbSubmission submission_{catalogue_, state_, prompter_, sender_};
};

TEST_F(FreedbSubmissionTest, AcceptedMessageCarriesTheEntryAndAdvancesTheRevision)
{
    SmtpTestServer server;
    writeSettings(mailSettings(server.port()));
    const std::vector<std::string> entry =
        lookup::writeEntry(lookup::loadSubmissionAlbum(catalogue_, kAlbumId), state_.lookup.currentToc, kAlbumId,
                           common::productVersion());
    ASSERT_TRUE(submit());
    EXPECT_EQ(rev(), "2");
    // Again, to another address; the user moves to another album meanwhile.
    writeSettings(mailSettings(server.port()) + "Submit=test-submit@example.org\r\n");
    ASSERT_TRUE(submit([&] { catalogue_.albums()->goToRecord(kAlbumRecord + 1); }));
    EXPECT_EQ(catalogue_.albums()->recno(), kAlbumRecord + 1);
    EXPECT_EQ(rev(), "3");

    const auto deliveries = server.deliveries();
    ASSERT_EQ(deliveries.size(), 2u);
    const std::string& first = deliveries[0].bytes;
    EXPECT_TRUE(first.starts_with("From: joe@example.org\r\nTo: " + FreedbSubmission::kDefaultSubmitAddress +
                                  "\r\nSubject: cddb rock 7a0b3c0d\r\nDate: "))
        << first;
    EXPECT_NE(first.find("\r\nContent-Type: text/plain; charset=US-ASCII\r\n"), std::string::npos);
    std::string body;
    for (const std::string& line : entry)
        body += line + "\r\n";
    EXPECT_TRUE(first.ends_with("\r\n\r\n" + body)) << first;
    EXPECT_NE(first.find("\r\n# Revision: 2\r\n"), std::string::npos);
    EXPECT_NE(deliveries[1].bytes.find("\r\n# Revision: 3\r\n"), std::string::npos);
    EXPECT_EQ(deliveries[1].to, std::vector<std::string>{"test-submit@example.org"});
    EXPECT_EQ(prompter_.texts(Kind::Info), std::vector<std::string>(2, FreedbSubmission::kThanks));
    EXPECT_TRUE(prompter_.texts(Kind::Error).empty());
}

TEST_F(FreedbSubmissionTest, MissingMailSettingsGetOneChanceInTheOptionsWindow)
{
    SmtpTestServer server;
    writeSettings("Mail=joe@example.org\r\n");
    prompter_.answerWindow(true, [&] { writeSettings(mailSettings(server.port())); });
    ASSERT_TRUE(submit());
    EXPECT_EQ(prompter_.windowsShown(), std::vector{common::Prompter::Window::Options});
    EXPECT_EQ(server.deliveries().size(), 1u);

    writeSettings("Mail=joe@example.org\r\nServer=mail.example.org:smtp\r\n");
    prompter_.answerWindow(false);
    EXPECT_FALSE(submission_.start());
    EXPECT_EQ(prompter_.texts(Kind::Error),
              (std::vector{FreedbSubmission::kMissingSettings, FreedbSubmission::kMissingSettings,
                           FreedbSubmission::kStillMissing}));
    EXPECT_EQ(rev(), "2");
}

TEST_F(FreedbSubmissionTest, RefusedOrUnreachableServerLeavesTheRevisionAndSaysWhy)
{
    SmtpTestServer refusing(SmtpTestServer::Mode::Refuse);
    const int closed = SmtpTestServer::closedPort();
    for (const int port : {refusing.port(), closed}) {
        writeSettings(mailSettings(port));
        EXPECT_FALSE(submit());
    }
    EXPECT_EQ(rev(), "1");
    const auto errors = prompter_.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find(SmtpTestServer::kRefusal), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("127.0.0.1 port " + std::to_string(closed)), std::string::npos) << errors[1];
    EXPECT_TRUE(prompter_.texts(Kind::Info).empty());
}

}  // namespace
