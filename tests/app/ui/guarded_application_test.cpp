// An exception that escapes an event handler ends that event, not the
// program.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "app/ui/guarded_application.h"
#include "xbase/xbase_error.h"

namespace {

TEST(GuardedApplication, AnExceptionFromATimerGoesToTheFaultHandler)
{
    auto* application = qobject_cast<app::ui::GuardedApplication*>(qApp);
    ASSERT_NE(application, nullptr);
    std::vector<std::string> faults;
    application->setFaultHandler([&faults](const std::string& message) { faults.push_back(message); });
    bool later = false;
    QTimer::singleShot(0, application, [] { throw xbase::XbaseError("ALBUMS.CDX: index page at 0x400 is damaged"); });
    QTimer::singleShot(0, application, [&later] { later = true; });
    QTest::qWait(50);
    application->setFaultHandler({});

    EXPECT_EQ(faults, std::vector<std::string>{"ALBUMS.CDX: index page at 0x400 is damaged"});
    EXPECT_TRUE(later);
}

}  // namespace
