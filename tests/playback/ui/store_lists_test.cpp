// The shop's "Top 100:" lists on the main window: shown only while it is
// maximized, and a choice opened through the web shortcuts with the status
// bar put back after.
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "app/ui/main_window_fixture.h"
#include "playback/web_shortcuts.h"

namespace {

// What the desktop was asked to open.
class RecordingDesktop : public platform::DesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        opened.push_back(address.toStdString());
        return true;
    }
    bool startProgram(const QString&, const QString&) override { return false; }

    std::vector<std::string> opened;
};

class StoreListsTest : public test_support::MainWindowFixture {
protected:
    void SetUp() override
    {
        useSmallCollection();
        create();
        QStringList captions;
        for (const playback::StoreList& list : playback::kStoreLists)
            captions << QString::fromLatin1(list.caption.data(), static_cast<qsizetype>(list.caption.size()));
        mainWindow->setStoreLists(captions, [this](int item) {
            statusDuringOpen = mainWindow->findChild<QStatusBar*>("StatusBar")->currentMessage().toStdString();
            shortcuts.openStoreList(static_cast<std::size_t>(item));
        });
        ASSERT_NO_FATAL_FAILURE(start());
    }

    RecordingDesktop desktop;
    playback::WebShortcuts shortcuts{*catalogue, prompter, desktop, {"", "", "https://shop.example.com/r?path="}};
    std::string statusDuringOpen;
};

TEST_F(StoreListsTest, ShownWhileMaximizedAndAChoiceOpensItsList)
{
    auto* lists = child<QWidget>("StoreLists");
    EXPECT_FALSE(lists->isVisible());
    mainWindow->setMaximized(true);
    QTest::qWait(100);
    ASSERT_TRUE(lists->isVisible());

    mainWindow->setStatusText("before");
    const auto items = lists->findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 10);
    items[4]->click();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{"https://shop.example.com/r?path=tg/browse/-/466632"});
    EXPECT_EQ(statusDuringOpen, "Going to website");
    EXPECT_EQ(mainWindow->findChild<QStatusBar*>("StatusBar")->currentMessage(), "before");

    mainWindow->setMaximized(false);
    QTest::qWait(100);
    EXPECT_FALSE(lists->isVisible());
}

}  // namespace
