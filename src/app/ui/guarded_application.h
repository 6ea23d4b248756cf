#pragma once

#include <functional>
#include <string>

#include <QApplication>

namespace app::ui {

// The application object with a last guard around every event: an exception
// that escapes an event handler, a timer or a slot ends that event only and
// goes to the fault handler, instead of ending the program.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    // The message is the exception's text as thrown (see fromMessage).
    using FaultHandler = std::function<void(const std::string& message)>;

    GuardedApplication(int& argc, char** argv);

    // Without a handler the message goes to the standard error.
    void setFaultHandler(FaultHandler handler) { handler_ = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void fault(const std::string& message) const;

    FaultHandler handler_;
};

}  // namespace app::ui
