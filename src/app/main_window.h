#pragma once

#include <QMainWindow>

// The albums browser: the one window that lives for the whole run.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};
