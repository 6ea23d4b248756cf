#include "lookup/ui/exchange_wait_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "common/ansi_text.h"
#include "common/product_version.h"

namespace lookup::ui {
namespace {

constexpr int kWidth = 360;

}  // namespace

ExchangeWaitDialog::ExchangeWaitDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("ExchangeWaitDialog");
    setWindowTitle(common::fromAnsi(common::kAppTitle));
    setMinimumWidth(kWidth);
    step_ = new QLabel(this);
    step_->setObjectName("stepLabel");
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(step_);
    layout->addWidget(busy);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExchangeWaitDialog::reject);
}

void ExchangeWaitDialog::wait(const std::function<void()>& cancel)
{
    cancel_ = cancel;
    exec();
    cancel_ = nullptr;
    // Cleared when the wait ends: a flow may say what it waits for before it waits.
    step_->clear();
}

void ExchangeWaitDialog::end() { accept(); }

void ExchangeWaitDialog::showStatus(const std::string& text) { step_->setText(common::fromAnsi(text)); }

void ExchangeWaitDialog::reject()
{
    if (!cancel_)
        return;
    step_->setText("Stopping ...");
    cancel_();
}

}  // namespace lookup::ui
