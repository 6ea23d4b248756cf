#include "search/ui/filter_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "search/ui/history_box.h"

namespace search::ui {
namespace {

constexpr int kBoxWidth = 420;

QToolButton* pictureButton(const char* name, const char* tooltip, QStyle::StandardPixmap icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setIcon(parent->style()->standardIcon(icon));
    return button;
}

}  // namespace

FilterDialog::FilterDialog(AlbumFilter& filter, common::Prompter& prompter, const std::string& programDir,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), filter_(filter), prompter_(prompter)
{
    setObjectName("FilterForm");
    setWindowTitle(" Vinora - Filter Albums Table");
    setModal(true);

    auto* label = new QLabel("Filter expression for Albums table:", this);
    label->setObjectName("Label1");
    box_ = new HistoryBox(programDir, FilterHistory::Table::Albums, this);
    box_->setObjectName("ComboBox1");
    box_->setMinimumWidth(kBoxWidth);
    auto* clear = pictureButton("SpeedButton1", "Clear Albums table filter", QStyle::SP_LineEditClearButton, this);
    auto* remove = pictureButton("SpeedButton2", "Remove from history list", QStyle::SP_TrashIcon, this);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");

    auto* entry = new QHBoxLayout;
    entry->addWidget(box_, 1);
    entry->addWidget(clear);
    entry->addWidget(remove);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(clear, &QToolButton::clicked, box_, &HistoryBox::clearEntry);
    connect(remove, &QToolButton::clicked, this,
            [this] { common::runAction(prompter_, [this] { box_->removeFromHistory(); }); });
    connect(ok, &QPushButton::clicked, this, &FilterDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    box_->load();
    box_->setText(filter_.proposal());
}

void FilterDialog::okClicked()
{
    common::runAction(prompter_, [this] { outcome_ = filter_.apply(box_->text(), box_->history()); });
    accept();
}

}  // namespace search::ui
