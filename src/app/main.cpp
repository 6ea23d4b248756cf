#include <exception>

#include <QMessageBox>
#include <QScopeGuard>

#include "app/ui/guarded_application.h"
#include "app/ui/program.h"
#include "app/ui/termination_signals.h"
#include "common/ansi_text.h"

int main(int argc, char** argv)
{
    app::ui::GuardedApplication application(argc, argv);
    // A signal ends every event loop, the dialogs' too (they answer as
    // cancelled); the window then closes as the user would close it.
    app::ui::TerminationSignals termination;
    QObject::connect(&termination, &app::ui::TerminationSignals::received, &application,
                     [] { QApplication::exit(0); });
    app::ui::Program program;
    application.setFaultHandler([&program](const std::string& message) { program.reportFault(message); });
    const auto unhook = qScopeGuard([&application] { application.setFaultHandler({}); });
    try {
        if (!program.start())
            return 0;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Vinora", common::fromMessage(e.what()));
        return 1;
    }
    const int status = QApplication::exec();
    program.close();
    return status;
}
