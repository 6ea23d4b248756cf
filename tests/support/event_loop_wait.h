#pragma once

#include <functional>

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "lookup/exchange_wait.h"

namespace test_support {

// Waits for an exchange in an event loop, as the wait window does; stops
// the exchange after `cancelAfterMs` when set.
class EventLoopWait : public lookup::ExchangeWait {
public:
    void wait(const std::function<void()>& cancel) override
    {
        QEventLoop loop;
        loop_ = &loop;
        if (cancelAfterMs > 0)
            QTimer::singleShot(cancelAfterMs, &loop, cancel);
        QTimer::singleShot(20000, &loop, [&loop] {
            ADD_FAILURE() << "the exchange did not end";
            loop.quit();
        });
        loop.exec();
        loop_ = nullptr;
    }
    void end() override
    {
        ASSERT_NE(loop_, nullptr) << "ended while nobody waited";
        loop_->quit();
    }

    int cancelAfterMs = 0;

private:
    QEventLoop* loop_ = nullptr;
};

}  // namespace test_support
