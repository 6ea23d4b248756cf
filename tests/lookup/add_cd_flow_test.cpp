// "Add CD" end to end: disc images read through libcdio as the drive, the
// loopback CDDB and MusicBrainz servers, the edit form that saves into a
// real catalogue, the web import and the submission to a real SMTP server on
// loopback; the user scripted.
#include "lookup/add_cd_flow.h"

#include <gtest/gtest.h>

#include <fstream>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <QImage>

#include "common/notes_tags.h"
#include "editing/album_cover.h"
#include "editing/ui/album_edit_form.h"
#include "lookup/web_import.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/curl_mail_sender.h"
#include "platform/net/tcp_line_connector.h"
#include "settings/settings_file.h"
#include "support/cddb_test_server.h"
#include "support/disc_image.h"
#include "support/musicbrainz_test_server.h"
#include "support/event_loop_wait.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/smtp_test_server.h"
#include "support/xmcd_fixture.h"
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

class AddCdFlowTest : public testing::Test {
protected:
    AddCdFlowTest()
    {
        state.programDir = dir.path() + "/";
        std::ofstream(dir.file("Vinora.ini"), std::ios::binary)
            << "[Current]\r\nMail=joe@example.org\r\nServer=127.0.0.1:" << smtp.port() << "\r\n";
        state.settings = settings::SettingsFile({state.programDir, [] { return std::string(); }}).read();
        state.settings.musicBrainzUrl = state.settings.coverArtUrl = musicBrainzServer.url();
        musicBrainzRunner.setService(lookup::musicBrainzServiceFromSettings(state.settings));
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
    test_support::MusicBrainzTestServer musicBrainzServer;
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
    test_support::EventLoopWait wait;
    lookup::MusicBrainzRateLimit noRateLimit{std::chrono::milliseconds(0)};
    lookup::MusicBrainzExchangeRunner musicBrainzRunner{{}, http, noRateLimit};
    lookup::MusicBrainzLookup musicBrainz{musicBrainzRunner,
                                          wait,
                                          prompter,
                                          state.settings,
                                          dir.file("covers"),
                                          [this](const std::vector<std::string>&) { return choice; },
                                          [](const std::string&) {}};
    std::vector<std::string> statuses;
    lookup::AddCdFlow flow{state, prompter, catalogue,
                           lookup::AddCdParts{cdio, cddb, musicBrainz, submission, form, wait,
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
    state.settings.lookupOrder = settings::LookupOrder::CddbOnly;  // the CDDB server's outcomes alone
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

TEST_F(AddCdFlowTest, DiscTheCddbServerDoesNotKnowComesFromMusicBrainzWithItsFrontCover)
{
    state.settings.genre = "folk";
    insert(test_support::kFourTrackOffsets, test_support::kFourTrackLeadOut);
    prompter.answerConfirm(true);
    whenFormShown();
    flow.run();
    EXPECT_EQ(shownArtists, QStringList{"Ana Lund & The Quay Band"});
    EXPECT_EQ(albumField("Sys"), "B");
    EXPECT_EQ(albumField("Genre"), "folk");
    catalogue.currentAlbumTracks()->first();
    EXPECT_EQ(catalogue.currentAlbumTracks()->fieldTrimmed("Track"), "Caf\xe9 Nord");
    EXPECT_EQ(prompter.texts(Kind::Info).size(), 1u) << "told once of a title Windows-1252 cannot hold";

    const std::string notes = catalogue.albums()->memo("Notes");
    EXPECT_EQ(common::NotesTags(notes).url(), musicBrainzServer.url() + "/release/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30")
        << "the album's web button opens the release";
    const editing::CoverDisplay cover = editing::coverDisplay(notes, "", true);
    EXPECT_EQ(cover.action, editing::CoverDisplay::Action::ShowImage);
    EXPECT_EQ(cover.image, dir.file("covers") + "/3f1c2a9e-5b7d-4e21-9a0c-6d8e7f1b2c30.jpg");
    EXPECT_FALSE(QImage(QString::fromStdString(cover.image)).isNull());
    EXPECT_EQ(prompter.unusedAnswers(), 0u);
}

TEST_F(AddCdFlowTest, TheLookupOrderDecidesWhoIsAskedAndWhatFollows)
{
    using Order = settings::LookupOrder;
    const std::vector<long> twoReleases{150, 18000, 39000, 61000, 80500};
    const std::vector<long> unknown{150, 30000};
    struct Case {
        const char* what;
        const std::vector<long>& offsets;
        long leadOut;
        Order order;
        bool musicBrainzDown;
        std::optional<std::size_t> choice;
        const char* year;  // of the album saved from the form; nullptr: not saved
        bool webImport;    // shown, and closed with Cancel
        std::size_t errors;
    };
    const Case cases[] = {
        {"several releases, none chosen", twoReleases, 98400, Order::MusicBrainzOnly, false, {}, nullptr, true, 0},
        {"the CDDB server alone", twoReleases, 98400, Order::CddbOnly, false, {}, nullptr, true, 0},
        {"several releases, the second chosen", twoReleases, 98400, Order::CddbFirst, false, 1, "2010", false, 0},
        {"known to neither", unknown, 50000, Order::MusicBrainzFirst, false, {}, nullptr, true, 0},
        {"MusicBrainz down and asked alone", unknown, 50000, Order::MusicBrainzOnly, true, {}, nullptr, false, 1},
        {"MusicBrainz down, the CDDB server knows it", kKnownOffsets, kKnownLeadOut, Order::MusicBrainzFirst, true, {},
         "1978", false, 0},
    };
    for (const Case& c : cases) {
        insert(c.offsets, c.leadOut);
        state.settings.lookupOrder = c.order;
        state.settings.musicBrainzUrl =
            c.musicBrainzDown ? test_support::MusicBrainzTestServer::closedUrl() : musicBrainzServer.url();
        choice = c.choice;
        if (c.year && !c.musicBrainzDown)
            prompter.answerConfirm(false);  // no cover
        if (c.year)
            whenFormShown([](QWidget& shown) { typeOver(shown, "GenreBox", "rock"); });
        if (c.webImport)
            prompter.answerWindow(false);
        const std::size_t errors = prompter.texts(Kind::Error).size();
        const std::size_t requests = musicBrainzServer.requests().size();
        flow.run();
        EXPECT_EQ(prompter.texts(Kind::Error).size() - errors, c.errors) << c.what;
        EXPECT_EQ(prompter.unusedAnswers(), 0u) << c.what;
        EXPECT_EQ(musicBrainzServer.requests().size() > requests, !c.musicBrainzDown && c.order != Order::CddbOnly)
            << c.what;
        const bool saved = albumField("ID") == state.lookup.currentAlbumId;
        EXPECT_EQ(saved, c.year != nullptr) << c.what;
        if (saved && c.year) {
            EXPECT_EQ(albumField("YR"), c.year) << c.what;
        }
    }

    // Stopped while MusicBrainz says nothing: neither the CDDB server nor the user is asked.
    insert(unknown, 51000);
    musicBrainzServer.setFault(test_support::MusicBrainzTestServer::Fault::Stall);
    state.settings.musicBrainzUrl = musicBrainzServer.url();
    wait.cancelAfterMs = 300;
    const std::size_t told = prompter.requests().size();
    const std::size_t linesSent = cddbServer.receivedLines().size();
    flow.run();
    EXPECT_EQ(prompter.requests().size(), told);
    EXPECT_EQ(cddbServer.receivedLines().size(), linesSent);
}

}  // namespace
