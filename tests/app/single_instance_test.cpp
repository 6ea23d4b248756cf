// One running program per collection: two starts meet over a local socket
// in this process, the later one in a thread of its own as it would be in a
// process of its own.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QUuid>

#include "app/single_instance.h"

namespace {

using app::SingleInstance;

QString uniqueName() { return "VinoraTest-" + QUuid::createUuid().toString(QUuid::Id128).left(12); }

// Runs a later start in a thread while this thread serves the first one.
bool laterStartRaises(const QString& name)
{
    std::atomic<bool> done = false;
    bool raised = false;
    std::thread later([&] {
        SingleInstance second(name);
        raised = second.raiseRunningInstance();
        done = true;
    });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    later.join();
    return raised;
}

void processEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(SingleInstance, NameDependsOnTitleUserAndProgramDirectory)
{
    const QString a = SingleInstance::serverName("Vinora", "ann", "/home/ann/music/");
    EXPECT_EQ(a, SingleInstance::serverName("Vinora", "ann", "/home/ann/music/"));
    EXPECT_TRUE(a.startsWith("Vinora-ann-"));
    EXPECT_NE(a, SingleInstance::serverName("Vinora", "bob", "/home/ann/music/"));
    EXPECT_NE(a, SingleInstance::serverName("Vinora", "ann", "/media/usb/"));
}

TEST(SingleInstance, FirstStartListensAndALaterStartRaisesIt)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    EXPECT_FALSE(first.raiseRunningInstance()) << "nobody runs yet: this start is the first";
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    EXPECT_TRUE(laterStartRaises(name));
    processEventsFor(50);
    EXPECT_EQ(raised.count(), 1);

    EXPECT_TRUE(laterStartRaises(name));
    processEventsFor(50);
    EXPECT_EQ(raised.count(), 2);
}

TEST(SingleInstance, DifferentCollectionsRunSideBySide)
{
    SingleInstance one(uniqueName());
    SingleInstance other(uniqueName());
    EXPECT_FALSE(one.raiseRunningInstance());
    EXPECT_FALSE(other.raiseRunningInstance());
}

TEST(SingleInstance, SocketLeftByACrashedRunIsTakenOver)
{
    const QString name = uniqueName();
    // What a killed first start leaves: a socket file nobody listens on.
    const std::string path = (QDir::tempPath() + "/" + name).toStdString();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_EQ(::access(path.c_str(), F_OK), 0);

    SingleInstance first(name);
    EXPECT_FALSE(first.raiseRunningInstance());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);
    EXPECT_TRUE(laterStartRaises(name));
    processEventsFor(50);
    EXPECT_EQ(raised.count(), 1);
}

}  // namespace
