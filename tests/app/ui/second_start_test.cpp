// The built program started twice on one collection: the second start
// hands over to the first and ends without a window of its own.
#include <gtest/gtest.h>

#include <filesystem>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "support/temp_dir.h"

namespace {

QProcessEnvironment environmentFor(const std::string& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VINORA_HOME", QString::fromStdString(home));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

TEST(SecondStart, RaisesTheFirstAndEnds)
{
    test_support::TempDir home;
    QProcess first;
    first.setProcessEnvironment(environmentFor(home.path()));
    first.start(VINORA_PROGRAM, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // The settings file is written by the start-up sequence, well after the
    // first start took the collection.
    QElapsedTimer timer;
    timer.start();
    while (!std::filesystem::exists(home.file("Vinora.ini")) && timer.elapsed() < 20000)
        QTest::qWait(50);
    ASSERT_TRUE(std::filesystem::exists(home.file("Vinora.ini"))) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(environmentFor(home.path()));
    second.start(VINORA_PROGRAM, {});
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST(SecondStart, AnotherCollectionStartsItsOwnProgram)
{
    test_support::TempDir one;
    test_support::TempDir other;
    QProcess first;
    first.setProcessEnvironment(environmentFor(one.path()));
    first.start(VINORA_PROGRAM, {});
    ASSERT_TRUE(first.waitForStarted(10000));
    QProcess second;
    second.setProcessEnvironment(environmentFor(other.path()));
    second.start(VINORA_PROGRAM, {});
    ASSERT_TRUE(second.waitForStarted(10000));
    QElapsedTimer timer;
    timer.start();
    while (!std::filesystem::exists(other.file("Vinora.ini")) && timer.elapsed() < 20000)
        QTest::qWait(50);
    EXPECT_TRUE(std::filesystem::exists(other.file("Vinora.ini")));
    EXPECT_EQ(second.state(), QProcess::Running);
    for (QProcess* p : {&first, &second}) {
        p->terminate();
        if (!p->waitForFinished(10000)) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
}

}  // namespace
