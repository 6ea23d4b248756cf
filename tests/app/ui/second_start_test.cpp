// The built program started twice: on one collection the second start
// hands over to the first and ends without a window of its own; on another
// collection it runs a program of its own.
#include <gtest/gtest.h>

#include <filesystem>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "support/temp_dir.h"

namespace {

void start(QProcess& program, const test_support::TempDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VINORA_HOME", QString::fromStdString(home.path()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(VINORA_PROGRAM, {});
    ASSERT_TRUE(program.waitForStarted(10000));
}

// The settings file is written by the start-up sequence, well after the
// program took the collection.
bool startedUp(const test_support::TempDir& home)
{
    QElapsedTimer timer;
    timer.start();
    while (!std::filesystem::exists(home.file("Vinora.ini")) && timer.elapsed() < 20000)
        QTest::qWait(50);
    return std::filesystem::exists(home.file("Vinora.ini"));
}

void stop(QProcess& program)
{
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished(5000);
    }
}

TEST(SecondStart, RaisesTheFirstAndEnds)
{
    test_support::TempDir home;
    QProcess first;
    ASSERT_NO_FATAL_FAILURE(start(first, home));
    ASSERT_TRUE(startedUp(home)) << first.readAllStandardError().toStdString();

    QProcess second;
    ASSERT_NO_FATAL_FAILURE(start(second, home));
    ASSERT_TRUE(second.waitForFinished(15000)) << "the second start kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    stop(first);
}

TEST(SecondStart, AnotherCollectionStartsItsOwnProgram)
{
    test_support::TempDir one;
    test_support::TempDir other;
    QProcess first;
    QProcess second;
    ASSERT_NO_FATAL_FAILURE(start(first, one));
    ASSERT_NO_FATAL_FAILURE(start(second, other));
    EXPECT_TRUE(startedUp(other));
    EXPECT_EQ(second.state(), QProcess::Running);
    stop(first);
    stop(second);
}

}  // namespace
