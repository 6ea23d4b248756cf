#include "app/main_window.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle("Vinora");
    resize(900, 600);
}
