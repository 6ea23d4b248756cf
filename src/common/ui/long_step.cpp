#include "common/ui/long_step.h"

#include <exception>
#include <thread>

#include <QEventLoop>
#include <QMetaObject>

namespace common::ui {

void runKeepingWindowsPainted(const std::function<void()>& step)
{
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            step();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued, so it also ends a loop that has not started yet.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace common::ui
