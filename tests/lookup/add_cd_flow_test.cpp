// "Add CD" end to end: disc images read through libcdio as the drive, the
// loopback CDDB server, the edit form that saves into a real catalogue, the
// web import and the submission to a real SMTP server on loopback; the user
// scripted.
#include "lookup/add_cd_flow.h"

#include <gtest/gtest.h>

#include <fstream>

#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editing/ui/album_edit_form.h"
#include "lookup/web_import.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/curl_mail_sender.h"
#include "platform/net/tcp_line_connector.h"
#include "settings/settings_file.h"
#include "support/cddb_test_server.h"
#include "support/disc_image.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/smtp_test_server.h"
#include "support/temp_dir.h"

namespace {

using Kind = test_support::ScriptedPrompter::Kind;
using Fault = test_support::CddbTestServer::Fault;

// The server's "rock 8608460b Van Halen / Van Halen", exactly.
const std::vector<long> kKnownOffsets{150, 16256, 23927, 35697, 52776, 69641, 85409, 98949, 115528, 130650, 145517};
constexpr long kKnownLeadOut = 2120 * 75;
// Close to three discs the server knows: it offers all three.
const std::vector<long> kCloseOffsets{150, 16670, 30900, 50960, 69780, 85300, 103030, 116950, 138360, 155040};
constexpr long kCloseLeadOut = 2325 * 75;

// Replaces the text of the form's field `name` (an edit or a combo box).
void typeOver(QWidget& form, const char* name, const char* text)
{
    QLineEdit* edit = form.findChild<QLineEdit*>(name);
    if (auto* box = form.findChild<QComboBox*>(name))
        edit = box->lineEdit();
    ASSERT_NE(edit, nullptr) << name;
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Waits in an event loop; stops the exchange after `cancelAfterMs` when set.
class EventLoopWait : public lookup::ExchangeWait {
public:
    void wait(const std::function<void()>& cancel) override
    {
        QEventLoop loop;
        loop_ = &loop;
        if (cancelAfterMs > 0)
            QTimer::singleShot(cancelAfterMs, &loop, cancel);
        QTimer::singleShot(20000, &loop, [&loop] {
            ADD_FAILURE() << "the exchange did not end";
            loop.quit();
        });
        loop.exec();
        loop_ = nullptr;
    }
    void end() override
    {
        ASSERT_NE(loop_, nullptr) << "ended while nobody waited";
        loop_->quit();
    }

    int cancelAfterMs = 0;

private:
    QEventLoop* loop_ = nullptr;
};

class AddCdFlowTest : public testing::Test {
protected:
    AddCdFlowTest()
    {
        state.programDir = dir.path() + "/";
        std::ofstream(dir.file("Vinora.ini"), std::ios::binary)
            << "[Current]\r\nMail=joe@example.org\r\nServer=127.0.0.1:" << smtp.port() << "\r\n";
        state.settings = settings::SettingsFile({state.programDir, [] { return std::string(); }}).read();
        state.genres = state.settings.genres;
        state.media = state.settings.media;
        catalogue.createMissingFilesAndOpenViews();
        editDialog.setCatalogue(&catalogue);
        cddb.setServer({"127.0.0.1", cddbServer.tcpPort(), lookup::CddbTransport::Tcp, false},
                       lookup::CddbHello("", "5.2b"));
        cddb.setChooser([this](const std::vector<std::string>&) { return choice; });
    }

    // The disc in the drive from now on.
    void insert(const std::vector<long>& offsets, long leadOut)
    {
        state.settings.cdPath =
            test_support::writeCueImage(dir.path(), "disc" + std::to_string(++discs), test_support::audioTracks(offsets),
                                        leadOut);
    }

    // The edit form, once it shows: its artist, before `act` and OK.
    void whenFormShown(const std::function<void(QWidget&)>& act = {})
    {
        test_support::whenModalShown([this, act](QWidget* form) {
            ASSERT_EQ(form, &editDialog);
            shownArtists.push_back(form->findChild<QLineEdit*>("ArtistEdit")->text());
            if (act)
                act(*form);
            form->findChild<QPushButton*>("OKButton")->click();
            if (form->isVisible()) {
                ADD_FAILURE() << "the album was not saved";
                form->findChild<QPushButton*>("CancelButton")->click();
            }
        });
    }

    // The web import: `text` pasted with `site` chosen, the form saved.
    void answerWebImport(const char* text, std::optional<lookup::WebImport::Site> site = {})
    {
        prompter.answerWindow(true, [this, text, site] {
            lookup::WebImport import(form, prompter, catalogue, state);
            if (site)
                import.chooseSite(*site);
            whenFormShown([](QWidget& shown) {
                typeOver(shown, "ArtistEdit", "The Unknowns");
                typeOver(shown, "AlbumEdit", "Home Tapes");
                typeOver(shown, "GenreBox", "rock");
            });
            EXPECT_EQ(import.takePastedText(text), lookup::WebImport::Outcome::Accepted);
        });
    }

    std::string albumField(const char* field) { return catalogue.albums()->fieldTrimmed(field); }

    test_support::TempDir dir;
    test_support::SmtpTestServer smtp;
    test_support::CddbTestServer cddbServer;
    common::ProgramState state;
    test_support::ScriptedPrompter prompter;
    catalogue::Catalogue catalogue{dir.path()};
    editing::ui::AlbumEditDialog editDialog{state, prompter};
    editing::ui::AlbumEditForm form{editDialog, state};
    platform::LibcdioAccess cdio;
    platform::TcpLineConnector tcp;
    platform::CurlHttpGetter http;
    platform::CurlMailSender mail;
    lookup::CddbExchangeRunner cddb{{}, lookup::CddbHello("", "5.2b"), tcp, http};
    lookup::FreedbSubmission submission{catalogue, state, prompter, mail};
    EventLoopWait wait;
    std::vector<std::string> statuses;
    lookup::AddCdFlow flow{state, prompter, catalogue,
                           lookup::AddCdParts{cdio, cddb, submission, form, wait,
                                              [this](const std::string& text) { statuses.push_back(text); },
                                              [](int) {}}};
    std::optional<std::size_t> choice;
    QStringList shownArtists;
    int discs = 0;
};

TEST_F(AddCdFlowTest, KnownDiscIsSavedThenRefusedUnknownDiscIsImportedSavedAndContributed)
{
    insert(kKnownOffsets, kKnownLeadOut);
    whenFormShown();
    flow.run();
    EXPECT_EQ(shownArtists, QStringList{"Van Halen"});
    EXPECT_EQ(albumField("ID"), "8608460b");
    EXPECT_EQ(albumField("Sys"), "F");
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), "");

    // Again: refused before any server is asked, and made current.
    const std::size_t linesSent = cddbServer.receivedLines().size();
    catalogue.albums()->goToRecord(1);
    flow.run();
    EXPECT_EQ(prompter.texts(Kind::Error), std::vector<std::string>{lookup::kCdInCollectionMessage});
    EXPECT_EQ(cddbServer.receivedLines().size(), linesSent);
    EXPECT_EQ(albumField("ID"), "8608460b");

    insert({150, 20000, 40000}, 60000);
    answerWebImport("Intro\r\nMiddle\r\nEnd\r\n");
    prompter.answerConfirm(true);
    flow.run();
    EXPECT_EQ(prompter.texts(Kind::Info).front(), lookup::kNotInOnlineDatabaseMessage);
    EXPECT_EQ(prompter.texts(Kind::Confirm), std::vector<std::string>{lookup::kContributeQuestion});
    EXPECT_EQ(prompter.unusedAnswers(), 0u);
    EXPECT_EQ(albumField("ID"), state.lookup.currentAlbumId);
    EXPECT_EQ(albumField("Artist"), "The Unknowns");
    EXPECT_EQ(albumField("Rev"), "1");  // advanced by the submission
    const auto deliveries = smtp.deliveries();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_NE(deliveries[0].bytes.find(" " + state.lookup.currentAlbumId + "\r\n"), std::string::npos);
    EXPECT_NE(deliveries[0].bytes.find("TTITLE2=End"), std::string::npos);
}

TEST_F(AddCdFlowTest, OnlyTitlesOfTheUsersOwnAreOfferedToTheDatabase)
{
    struct Case {
        const char* what;
        const char* pasted;
        std::optional<lookup::WebImport::Site> site;
        bool offered;
    };
    const Case cases[] = {
        {"titles from the All Music Guide", "1. One 1:00\n2. Two 2:00\n", lookup::WebImport::Site::AllMusicGuide,
         false},
        {"placeholder titles kept", "Track 1\nTrack 2\n", {}, false},
        {"titles typed as a plain list", "One\nTwo\n", {}, true},
    };
    long start = 20000;
    for (const Case& c : cases) {
        insert({150, start}, start + 30000);
        start += 1000;
        answerWebImport(c.pasted, c.site);
        if (c.offered)
            prompter.answerConfirm(false);
        flow.run();
        EXPECT_EQ(prompter.texts(Kind::Confirm).size(), c.offered ? 1u : 0u) << c.what;
        EXPECT_EQ(albumField("ID"), state.lookup.currentAlbumId) << c.what;
    }
    EXPECT_TRUE(smtp.deliveries().empty());
}

TEST_F(AddCdFlowTest, WithoutAnEntryReadTheFormShowsTheDiscOrNothing)
{
    struct Case {
        const char* what;
        std::string cdPath;
        Fault fault;
        int cancelAfterMs;
        bool formShown;
        std::string message;
    };
    insert(kCloseOffsets, kCloseLeadOut);
    const std::string disc = state.settings.cdPath;
    const Case cases[] = {
        {"no disc", "", Fault::None, 0, false, lookup::kNoCdMessage},
        {"hello refused", disc, Fault::HelloUnknown, 0, false,
         "Handshake with CDDB server failed, error 500 Unknown developer email"},
        {"stopped by the user", disc, Fault::Stall, 300, false, ""},
        {"matches offered, none chosen", disc, Fault::None, 0, true, ""},
    };
    for (const Case& c : cases) {
        state.settings.cdPath = c.cdPath;
        cddbServer.setFault(c.fault);
        wait.cancelAfterMs = c.cancelAfterMs;
        shownArtists.clear();
        if (c.formShown) {
            whenFormShown([](QWidget& shown) {
                typeOver(shown, "ArtistEdit", "Someone");
                typeOver(shown, "AlbumEdit", "Something");
                typeOver(shown, "GenreBox", "rock");
            });
        }
        const std::size_t messages = prompter.requests().size();
        flow.run();
        EXPECT_EQ(shownArtists.size(), c.formShown ? 1u : 0u) << c.what;
        std::vector<std::string> told;
        for (std::size_t i = messages; i < prompter.requests().size(); ++i)
            told.push_back(prompter.requests()[i].text);
        EXPECT_EQ(told, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
            << c.what;
    }
    // The form held the disc's own rows: placeholder titles, lengths from the TOC.
    catalogue.currentAlbumTracks()->first();
    EXPECT_EQ(catalogue.currentAlbumTracks()->fieldTrimmed("Track"), "Track 1");
    EXPECT_EQ(catalogue.currentAlbumTracks()->fieldInt("Secs"), 218);
}

}  // namespace
