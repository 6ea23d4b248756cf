// The program's windows run offscreen under the program's own application
// object, with its last guard around every event.
#include <gtest/gtest.h>

#include "app/ui/guarded_application.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::ui::GuardedApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
