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
    int cancels = 0;
    bool visibleAfterEscape = false;
    QTimer::singleShot(50, &dialog, [&] {
        dialog.showStatus("Searching ...");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        visibleAfterEscape = dialog.isVisible();
        QTimer::singleShot(50, &dialog, [&] { dialog.end(); });
    });
    dialog.wait([&] { ++cancels; });
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.findChild<QLabel*>("stepLabel")->text(), "Stopping ...");
}

}  // namespace
