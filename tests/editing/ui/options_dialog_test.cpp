// The options window against a CDDB server on loopback: the host list
// refresh, Esc while the server stalls, the protocol and lookup order
// choices and OK with a failed check.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editing/ui/options_dialog.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "settings/ini_file.h"
#include "support/cddb_test_server.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using editing::ui::OptionsDialog;

class OptionsDialogTest : public testing::Test {
protected:
    OptionsDialogTest()
    {
        settings::IniFile::parse("[Current]\r\nHost=127.0.0.1\r\nProtocol=T\r\n[Site]\r\nSite1=127.0.0.1\r\n")
            .save(dir.file("Vinora.ini"));
        running = file.read();
    }

    std::unique_ptr<OptionsDialog> open()
    {
        editing::ui::OptionsServices services;
        services.listDrives = [] { return std::vector<std::string>{"(00:00:00) VIRTUAL DISC 1.0"}; };
        services.firstCdDrive = [] { return std::string("/dev/sr0"); };
        auto dialog = std::make_unique<OptionsDialog>(editor, runner, prompter, services);
        dialog->show();
        return dialog;
    }
    template <typename Widget>
    static Widget* child(const OptionsDialog& dialog, const char* name)
    {
        return dialog.findChild<Widget*>(name);
    }
    static QStringList hosts(const OptionsDialog& dialog)
    {
        QStringList items;
        const auto* box = child<QComboBox>(dialog, "hostBox");
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }

    test_support::TempDir dir;
    settings::SettingsFile file{{dir.path() + "/", [] { return std::string(); }}};
    settings::ProgramSettings running;
    editing::OptionsEditor editor{file, running, [](const std::string&) { return true; }};
    test_support::CddbTestServer server;
    platform::TcpLineConnector tcp;
    platform::CurlHttpGetter http;
    lookup::CddbExchangeRunner runner{{"127.0.0.1", server.tcpPort(), lookup::CddbTransport::Tcp, false},
                                      lookup::CddbHello("", "5.2b"), tcp, http};
    test_support::ScriptedPrompter prompter;
};

TEST_F(OptionsDialogTest, RefreshListsEachMirrorOnceAndEscStopsAStalledServerWithoutClosing)
{
    auto dialog = open();
    auto* status = child<QLabel>(*dialog, "statusLine");
    server.setSites({"127.0.0.1 cddbp 8880 -", "127.0.0.1 http 80 /~cddb/cddb.cgi", "mirror.example.org cddbp 8880 -"});
    QTest::mouseClick(child<QPushButton>(*dialog, "refreshHostsButton"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString("Finished retrieving database mirror choices, please proceed"),
                              5000);
    EXPECT_EQ(hosts(*dialog), (QStringList{"127.0.0.1", "mirror.example.org"}));

    server.setFault(test_support::CddbTestServer::Fault::Stall);
    QTest::mouseClick(child<QPushButton>(*dialog, "refreshHostsButton"), Qt::LeftButton);
    ASSERT_TRUE(runner.busy());
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!runner.busy(), 5000);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(hosts(*dialog), (QStringList{"127.0.0.1", "mirror.example.org"}));

    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    // The list grew: it is kept, sorted.
    EXPECT_EQ(file.sectionValues("Site"), (std::vector<std::string>{"127.0.0.1", "mirror.example.org"}));
}

TEST_F(OptionsDialogTest, ProtocolRulesAtOnceCancelRestoresItAndAFailedCheckKeepsTheWindowOpen)
{
    {
        auto dialog = open();
        child<QRadioButton>(*dialog, "httpButton")->click();
        EXPECT_EQ(running.protocol, "H");
        dialog->reject();
        EXPECT_EQ(running.protocol, "T");
    }
    auto dialog = open();
    int applied = 0;
    QObject::connect(dialog.get(), &OptionsDialog::optionsApplied, [&] { ++applied; });
    QTest::keyClicks(child<QLineEdit>(*dialog, "mailEdit"), "nobody");
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(prompter.texts(test_support::ScriptedPrompter::Kind::Error),
              std::vector<std::string>{editing::OptionsEditor::kInvalidMail});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(running.mail, "nobody");
}

TEST_F(OptionsDialogTest, TheChosenLookupOrderIsAppliedByOk)
{
    auto dialog = open();
    QTest::keyClick(child<QComboBox>(*dialog, "lookupOrderBox"), Qt::Key_Down);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(running.lookupOrder, settings::LookupOrder::MusicBrainzFirst);
}

}  // namespace
