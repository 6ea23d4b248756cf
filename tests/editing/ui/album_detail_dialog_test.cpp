// The detail view over a small real catalogue, the disc in the drive a
// disc image read through libcdio: what the page shows, and the freedb
// button's way into the submission with the user scripted.
#include "editing/ui/album_detail_dialog.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

#include "catalogue/display_text.h"
#include "lookup/album_locator.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/net/curl_mail_sender.h"
#include "support/catalogue_rows.h"
#include "support/disc_image.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using Kind = test_support::ScriptedPrompter::Kind;
using editing::AlbumDetailSubmission;
using editing::ui::AlbumDetailDialog;
using test_support::appendRow;

// A 13-track disc whose identifier is 7a0b3c0d.
const std::vector<long> kDisc{150, 15917, 31203, 48060, 68936, 82540, 97502, 115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kDiscLeadOut = 215890;

// Nothing may be sent here: a wait would mean a mail went out.
class NoWait : public lookup::ExchangeWait {
public:
    void wait(const std::function<void()>&) override { ADD_FAILURE() << "a submission was started"; }
    void end() override {}
};

class NoDesktop : public platform::DesktopLauncher {
public:
    bool openAddress(const QString&) override { return false; }
    bool startProgram(const QString&, const QString&) override { return false; }
};

class AlbumDetailDialogTest : public testing::Test {
protected:
    AlbumDetailDialogTest()
    {
        state.programDir = dir.path() + "/";
        state.settings.cdPath =
            test_support::writeCueImage(dir.path(), "disc", test_support::audioTracks(kDisc), kDiscLeadOut);
        catalogue.createMissingFilesAndOpenViews();
        album("7a0b3c0d", "F", {"Speak to Me", "Breathe"});
        album("a0000001", "A", {"Shop Song"});
    }

    void album(const std::string& id, const std::string& sys, const std::vector<std::string>& titles)
    {
        appendRow(dir.path(), "ALBUMS.DBF",
                  {{"ID", id}, {"Album", "Album " + id}, {"Artist", "Band"}, {"Genre", "Rock"}, {"Sys", sys}});
        for (std::size_t i = 0; i < titles.size(); ++i)
            appendRow(dir.path(), "TRACKS.DBF", {{"ID", id}, {"NR", catalogue::numberText(long(i + 1), 3)},
                                                 {"Track", titles[i]}, {"Secs", "61"}});
    }

    std::unique_ptr<AlbumDetailDialog> open(const std::string& id)
    {
        EXPECT_TRUE(lookup::makeAlbumCurrent(catalogue, id));
        auto dialog = std::make_unique<AlbumDetailDialog>(
            catalogue, editing::ui::AlbumDetailServices{state, prompter, submission, desktop, {}});
        dialog->show();
        return dialog;
    }

    test_support::TempDir dir;
    common::ProgramState state;
    catalogue::Catalogue catalogue{dir.path()};
    test_support::ScriptedPrompter prompter;
    platform::LibcdioAccess cdio;
    lookup::CdDriveCommands drive{cdio, state, prompter, catalogue, [](int) {}};
    platform::CurlMailSender mail;
    lookup::FreedbSubmission freedb{catalogue, state, prompter, mail};
    NoWait wait;
    NoDesktop desktop;
    AlbumDetailSubmission submission{catalogue, state, prompter, drive, freedb, wait};
};

TEST_F(AlbumDetailDialogTest, FreedbButtonTakesTheDiscsAlbumIntoTheSubmission)
{
    const auto dialog = open("7a0b3c0d");
    const QString page = dialog->findChild<QTextEdit*>("detailPage")->toPlainText();
    EXPECT_TRUE(page.startsWith("Album:     Album 7a0b3c0d\nArtist:    Band\nGenre:     Rock\nDisc ID:   7a0b3c0d\n"
                                "TRACKS:\n01. ( 1:01) Speak to Me\n02. ( 1:01) Breathe\nTotal Playing Time:   2:06\n"))
        << page.toStdString();

    // Without mail settings the submission asks for them and stops.
    prompter.answerConfirm(true);
    prompter.answerWindow(false);
    dialog->findChild<QPushButton*>("freedbButton")->click();
    EXPECT_EQ(prompter.texts(Kind::Confirm),
              std::vector<std::string>{"OK to send info on \rAlbum 7a0b3c0d\r to remote database?"});
    EXPECT_EQ(prompter.texts(Kind::Error),
              (std::vector<std::string>{lookup::FreedbSubmission::kMissingSettings,
                                        lookup::FreedbSubmission::kStillMissing}));
    EXPECT_FALSE(dialog->reportWriterRequested());
}

TEST_F(AlbumDetailDialogTest, CommercialDataIsRefusedAndReportWriterIsRequested)
{
    const auto dialog = open("a0000001");
    bool noticeShown = false;
    test_support::whenModalShown([&noticeShown](QWidget* window) {
        noticeShown = window->objectName() == "refusalNotice";
        static_cast<QMessageBox*>(window)->button(QMessageBox::Close)->click();
    });
    dialog->findChild<QPushButton*>("freedbButton")->click();
    EXPECT_TRUE(noticeShown);
    EXPECT_TRUE(prompter.requests().empty());

    dialog->findChild<QPushButton*>("reportWriterButton")->click();
    EXPECT_TRUE(dialog->reportWriterRequested());
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
