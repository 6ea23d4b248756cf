// The window that waits for an exchange: Esc only asks the exchange to
// stop; the window goes when the exchange has ended.
#include "lookup/ui/exchange_wait_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

TEST(ExchangeWaitDialog, EscapeAsksTheExchangeToStopAndTheWindowStaysUntilItEnds)
{
    lookup::ui::ExchangeWaitDialog dialog;
    auto* step = dialog.findChild<QLabel*>("stepLabel");
    int cancels = 0;
    bool visibleAfterEscape = false;
    QString shownAtStart;
    QString shownAtEnd;
    QTimer::singleShot(50, &dialog, [&] {
        shownAtStart = step->text();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        visibleAfterEscape = dialog.isVisible();
        QTimer::singleShot(50, &dialog, [&] {
            shownAtEnd = step->text();
            dialog.end();
        });
    });
    dialog.showStatus("Searching ...");  // said before the wait begins
    dialog.wait([&] { ++cancels; });
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(shownAtStart, "Searching ...");
    EXPECT_EQ(shownAtEnd, "Stopping ...");
    EXPECT_TRUE(step->text().isEmpty()) << "the next wait starts blank";
}

}  // namespace
