#pragma once

#include <functional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace test_support {

// Runs `act` on the next modal window to open (the one the code under test
// is about to show with exec()), once it is up. `act` must close it. Gives
// up with a test failure when none opens within seconds.
inline void whenModalShown(std::function<void(QWidget*)> act)
{
    constexpr int kPollMs = 5;
    constexpr int kPolls = 2000;
    auto* poll = new QTimer;
    poll->setInterval(kPollMs);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), left = kPolls]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            if (--left == 0) {
                ADD_FAILURE() << "no modal window opened";
                poll->deleteLater();
                poll->stop();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

// Clicks one of the standard buttons (OK, Cancel ...) of `dialog`'s button
// row.
inline void press(QWidget& dialog, QDialogButtonBox::StandardButton button)
{
    auto* row = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(row, nullptr);
    QPushButton* found = row->button(button);
    ASSERT_NE(found, nullptr);
    found->click();
}

}  // namespace test_support
