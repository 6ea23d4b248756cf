#include "platform/desktop/qt_desktop_launcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include "support/temp_dir.h"

namespace {

// The program gets its argument as one word, blanks and quotes included,
// because nothing runs through a shell.
TEST(QtDesktopLauncher, StartsAProgramWithOneArgumentUntouched)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    test_support::TempDir dir;
    const QString out = QString::fromStdString(dir.path() + "/seen");
    const QString argument = "a b; echo \"$HOME\" > " + out + ".shell";
    platform::QtDesktopLauncher launcher;
    const QString script = QString::fromStdString(dir.path() + "/record.sh");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\nprintf '%s' \"$1\" > " + out + ".tmp && mv " + out + ".tmp " + out + "\n").toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(launcher.startProgram(script, argument));
    for (int i = 0; i < 500 && !QFile::exists(out); ++i)
        QThread::msleep(10);
    QFile seen(out);
    ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(seen.readAll()), argument);
    EXPECT_FALSE(QFile::exists(out + ".shell"));

    EXPECT_FALSE(launcher.startProgram(QString::fromStdString(dir.path() + "/no-such-player"), "x"));
}

}  // namespace
