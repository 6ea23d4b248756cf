#pragma once

#include <chrono>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

// For logic tests of objects that answer through the Qt event loop.
namespace test_support {

// The test program's one application object, made on first use.
inline QCoreApplication& coreApplication()
{
    static int argc = 1;
    static char name[] = "vinora_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

// Runs the event loop until `sender` emits `signal`, at most `limit`; true
// when it did.
template <typename Sender, typename Signal>
bool waitForSignal(const Sender* sender, Signal signal, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    coreApplication();
    QEventLoop loop;
    bool emitted = false;
    QObject::connect(sender, signal, &loop, [&] {
        emitted = true;
        loop.quit();
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    return emitted;
}

}  // namespace test_support
