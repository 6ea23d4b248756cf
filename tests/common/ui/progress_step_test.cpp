// A long step in its worker thread under the progress window: its counts
// reach the bar, Cancel reaches the step, its failure reaches the caller.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "common/ui/progress_step.h"

namespace {

using common::ui::Stopping;
using namespace std::chrono_literals;

QProgressDialog* progressWindow()
{
    return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
}

// Runs `step` until it sees Cancel (or a generous limit passes).
bool stepUntilCancelled(common::Progress& progress)
{
    for (std::size_t i = 0; i < 2000; ++i) {
        if (progress.cancelRequested())
            return true;
        progress.advance(i, 4000);
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

TEST(ProgressStep, ShowsTheCountsAndPassesCancelToTheStep)
{
    int maximum = 0;
    int value = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QProgressDialog* window = progressWindow();
        if (!window || window->value() <= 0)
            return;
        maximum = window->maximum();
        value = window->value();
        // Escape is taken as Cancel; the window stays until the step ends.
        window->reject();
        EXPECT_TRUE(window->isVisible());
        user.stop();
    });
    user.start(20);
    bool cancelled = false;
    common::ui::runWithProgress(nullptr, "Working", Stopping::Allowed,
                                [&](common::Progress& progress) { cancelled = stepUntilCancelled(progress); });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(maximum, 4000);
    EXPECT_GT(value, 0);
    EXPECT_EQ(progressWindow(), nullptr);
}

TEST(ProgressStep, AStepThatCannotStopHasNoCancelAndItsFailureReachesTheCaller)
{
    bool hadCancel = true;
    bool askedToStop = true;
    QTimer::singleShot(600, [&] {
        if (QProgressDialog* window = progressWindow()) {
            hadCancel = window->findChild<QPushButton*>() != nullptr;
            window->reject();
        }
    });
    EXPECT_THROW(common::ui::runWithProgress(nullptr, "Working", Stopping::NotAllowed,
                                             [&](common::Progress& progress) {
                                                 std::this_thread::sleep_for(1200ms);
                                                 askedToStop = progress.cancelRequested();
                                                 throw std::runtime_error("disk full");
                                             }),
                 std::runtime_error);
    EXPECT_FALSE(hadCancel);
    EXPECT_FALSE(askedToStop);
}

}  // namespace
