#include "app/ui/tip_of_the_day_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"

namespace app::ui {

TipOfTheDayDialog::TipOfTheDayDialog(TipsFile tips, common::Prompter& prompter, QWidget* parent)
    : QDialog(parent), tips_(std::move(tips)), prompter_(prompter)
{
    setObjectName("TipOfTheDayDialog");
    setWindowTitle("Tip of the Day");
    auto* heading = new QLabel("Did you know...", this);
    heading->setObjectName("HeadingLabel");
    QFont big = heading->font();
    big.setBold(true);
    big.setPixelSize(18);
    heading->setFont(big);
    tip_ = new QLabel(this);
    tip_->setObjectName("TipLabel");
    tip_->setWordWrap(true);
    tip_->setMinimumSize(380, 100);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    showAtStartup_ = new QCheckBox("Show Tips at Startup", this);
    showAtStartup_->setObjectName("ShowTipsCheck");
    showAtStartup_->setChecked(tips_.showAtStartup());
    auto* next = new QPushButton("Next Tip", this);
    next->setObjectName("NextTipButton");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showAtStartup_);
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tip_, 1);
    layout->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, [this] {
        tips_.nextTip();
        showTip();
    });
    connect(ok, &QPushButton::clicked, this, &TipOfTheDayDialog::accept);
    showTip();
}

void TipOfTheDayDialog::showTip() { tip_->setText(common::fromAnsi(tips_.currentTip())); }

void TipOfTheDayDialog::accept()
{
    if (common::runAction(prompter_, [this] { tips_.accept(showAtStartup_->isChecked()); }))
        QDialog::accept();
}

}  // namespace app::ui
