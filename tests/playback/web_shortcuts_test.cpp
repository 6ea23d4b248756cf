// The web shortcuts: which addresses go to the desktop and as what, the
// album's address from its notes, the mail messages, and what the user is
// told when an address is refused or nothing opens it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QUrlQuery>

#include "common/ansi_text.h"
#include "playback/web_shortcuts.h"
#include "support/catalogue_rows.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using playback::WebShortcuts;
using test_support::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

// What a desktop was asked to open; whether it could is scripted.
class RecordingDesktop : public platform::DesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        opened.push_back(address.toStdString());
        return opens;
    }
    bool startProgram(const QString&, const QString&) override { return false; }

    std::vector<std::string> opened;
    bool opens = true;
};

class WebShortcutsTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(dir.file("liner notes.pdf")) << "%PDF";
        std::filesystem::create_directory(dir.file("covers"));
    }

    void openAlbumWithNotes(const std::string& notes)
    {
        catalogue.createMissingFilesAndOpenViews();
        test_support::appendRow(dir.path(), "ALBUMS.DBF", {{"ID", "z0000001"}, {"Notes", notes}});
        catalogue.albums()->first();
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    ScriptedPrompter prompter;
    RecordingDesktop desktop;
    playback::WebShortcutPages pages{"https://vinora.example.org/", "support@vinora.example.org",
                                     "https://shop.example.com/exec/obidos/redirect?tag=vinora-20&path="};
    WebShortcuts shortcuts{catalogue, prompter, desktop, pages};
};

TEST_F(WebShortcutsTest, WebAndMailAddressesAndFilesThatExistAreHandedOverAndNothingElse)
{
    const std::string pdf = dir.file("liner notes.pdf");
    const struct {
        std::string address;
        std::optional<std::string> handed;
    } cases[] = {
        {"https://example.org/a?b=1#c", "https://example.org/a?b=1#c"},
        {"  HTTP://EXAMPLE.ORG ", "HTTP://EXAMPLE.ORG"},
        {"mailto:joe@example.org?subject=Hi%20there", "mailto:joe@example.org?subject=Hi%20there"},
        {"liner notes.pdf", pdf},
        {pdf, pdf},
        {"file://" + pdf, pdf},
        {"http:", std::nullopt},
        {"ftp://example.org/album.zip", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"C:\\Music\\liner notes.pdf", std::nullopt},
        {"missing.pdf", std::nullopt},
        {"covers", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto handed = WebShortcuts::desktopAddress(c.address, dir.path());
        EXPECT_EQ(handed ? std::optional(handed->toStdString()) : std::nullopt, c.handed) << c.address;
    }
    // A program folder's name is the file system's spelling, not catalogue text.
    const std::string folder = dir.file("Música");
    std::filesystem::create_directory(folder);
    std::ofstream(folder + "/booklet.pdf") << "%PDF";
    const auto handed = WebShortcuts::desktopAddress("booklet.pdf", folder);
    EXPECT_EQ(handed ? handed->toStdString() : "", folder + "/booklet.pdf");
}

TEST_F(WebShortcutsTest, TheAlbumOpensItsLastUrlLineAndWithoutOneTheUserIsToldHowToAddIt)
{
    openAlbumWithNotes("URL=https://first.example.org/\r\nCOVER=x.jpg\r\nURL=liner notes.pdf\r\nrecorded live");
    shortcuts.openAlbumPage();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{dir.file("liner notes.pdf")});
    EXPECT_TRUE(prompter.requests().empty());

    catalogue.albums()->first();
    catalogue.albums()->edit();
    catalogue.albums()->setMemo("Notes", "no address here\r\n URL=indented does not count");
    catalogue.albums()->post();
    shortcuts.openAlbumPage();
    EXPECT_EQ(prompter.texts(Kind::Error), std::vector<std::string>{std::string(playback::kNoWebsiteText)});
    EXPECT_EQ(desktop.opened.size(), 1u);
}

TEST_F(WebShortcutsTest, ARefusedAddressAndOneNothingOpensAreToldWithTheAddress)
{
    openAlbumWithNotes("URL=ftp://example.org/x");
    shortcuts.openAlbumPage();
    EXPECT_TRUE(desktop.opened.empty());

    desktop.opens = false;
    shortcuts.openHomePage();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{"https://vinora.example.org/index.html"});

    const auto errors = prompter.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("\"ftp://example.org/x\""), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("\"https://vinora.example.org/index.html\""), std::string::npos) << errors[1];
}

TEST_F(WebShortcutsTest, MailMessagesCarryTheirSubjectAndTheFriendsOneTheHomePage)
{
    shortcuts.tellFriend();
    shortcuts.reportBug();
    ASSERT_EQ(desktop.opened.size(), 2u);

    const QUrl friendMail(QString::fromStdString(desktop.opened[0]));
    EXPECT_EQ(friendMail.scheme(), "mailto");
    EXPECT_TRUE(friendMail.path().isEmpty());
    const QUrlQuery friendQuery(friendMail);
    EXPECT_EQ(friendQuery.queryItemValue("subject", QUrl::FullyDecoded).toStdString(), playback::kTellFriendSubject);
    const QString body = friendQuery.queryItemValue("body", QUrl::FullyDecoded);
    EXPECT_TRUE(body.contains("https://vinora.example.org/index.html")) << body.toStdString();

    const QUrl bugMail(QString::fromStdString(desktop.opened[1]));
    EXPECT_EQ(bugMail.path(), "support@vinora.example.org");
    EXPECT_EQ(QUrlQuery(bugMail).queryItemValue("subject", QUrl::FullyDecoded).toStdString(),
              playback::kReportBugSubject);
    EXPECT_FALSE(QUrlQuery(bugMail).hasQueryItem("body"));
}

TEST_F(WebShortcutsTest, StoreListsArePagesUpToBooksAndBrowseNodesAfter)
{
    shortcuts.openStoreList(0);
    shortcuts.openStoreList(4);
    EXPECT_EQ(desktop.opened,
              (std::vector<std::string>{
                  "https://shop.example.com/exec/obidos/redirect?tag=vinora-20&path=subst/music/charts/hot-100-music.html",
                  "https://shop.example.com/exec/obidos/redirect?tag=vinora-20&path=tg/browse/-/466632"}));
}

}  // namespace
