#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vinora");
    QApplication::setApplicationVersion(VINORA_VERSION);
    TForm1 window;
    window.show();
    return QApplication::exec();
}
