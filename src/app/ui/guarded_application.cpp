#include "app/ui/guarded_application.h"

#include <exception>

namespace app::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        fault(e.what());
    } catch (...) {
        fault("An unknown error interrupted Vinora's last step.");
    }
    return false;
}

void GuardedApplication::fault(const std::string& message) const
{
    // The handler may show a window; an exception from it must not escape
    // either.
    try {
        if (handler_) {
            handler_(message);
            return;
        }
    } catch (...) {
    }
    qCritical("%s", message.c_str());
}

}  // namespace app::ui
