#include <exception>

#include <QApplication>
#include <QMessageBox>

#include "app/ansi_text.h"
#include "app/ui/program.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ui::Program program;
    try {
        if (!program.start())
            return 0;
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Vinora", app::fromMessage(e.what()));
        return 1;
    }
    return QApplication::exec();
}
