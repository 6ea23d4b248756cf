// The shop's "Top 100:" lists on the main window: shown only while it is
// maximized; a choice is handed on with its index while the status bar
// says "Going to website", and the earlier text comes back after.
#include <QAbstractButton>
#include <QStatusBar>
#include <QTest>

#include "app/ui/main_window_fixture.h"
#include "playback/web_shortcuts.h"

namespace {

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
            chosen.emplace_back(item, status()->currentMessage().toStdString());
        });
        ASSERT_NO_FATAL_FAILURE(start());
    }

    QStatusBar* status() const { return child<QStatusBar>("StatusBar"); }

    std::vector<std::pair<int, std::string>> chosen;
};

TEST_F(StoreListsTest, ShownWhileMaximizedAndAChoiceHandedOnWithTheStatusPutBack)
{
    auto* lists = child<QWidget>("StoreLists");
    EXPECT_FALSE(lists->isVisible());
    mainWindow->setMaximized(true);
    QTest::qWait(100);
    ASSERT_TRUE(lists->isVisible());

    mainWindow->setStatusText("before");
    const auto items = lists->findChildren<QAbstractButton*>();
    ASSERT_EQ(items.size(), 10);
    items[4]->click();
    EXPECT_EQ(chosen, (std::vector<std::pair<int, std::string>>{{4, "Going to website"}}));
    EXPECT_EQ(status()->currentMessage(), "before");

    mainWindow->setMaximized(false);
    QTest::qWait(100);
    EXPECT_FALSE(lists->isVisible());
}

}  // namespace
