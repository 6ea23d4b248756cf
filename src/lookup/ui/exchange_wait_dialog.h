#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "lookup/exchange_wait.h"

class QLabel;

namespace lookup::ui {

// While an exchange runs off the window thread: a small modal window with
// the step under way and a busy bar, which keeps the other windows from
// taking input. Cancel (or Esc) asks the exchange to stop; the window stays
// until the exchange has ended.
class ExchangeWaitDialog : public QDialog, public ExchangeWait {
    Q_OBJECT
public:
    explicit ExchangeWaitDialog(QWidget* parent = nullptr);

    void wait(const std::function<void()>& cancel) override;
    void end() override;

    // The exchange's progress text (Windows-1252).
    void showStatus(const std::string& text);

    void reject() override;

private:
    std::function<void()> cancel_;
    QLabel* step_;
};

}  // namespace lookup::ui
