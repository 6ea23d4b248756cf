#include "search/ui/filter_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "search/ui/history_box.h"

namespace search::ui {
namespace {

constexpr int kBoxWidth = 420;

}  // namespace

FilterDialog::FilterDialog(AlbumFilter& filter, common::Prompter& prompter, const std::string& programDir,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), filter_(filter), prompter_(prompter)
{
    setObjectName("FilterDialog");
    setWindowTitle(" Vinora - Filter Albums Table");
    setModal(true);

    auto* label = new QLabel("Filter expression for Albums table:", this);
    box_ = new HistoryBox(programDir, FilterHistory::Table::Albums, this);
    box_->setObjectName("ExpressionBox");
    box_->setMinimumWidth(kBoxWidth);
    auto* clear = HistoryBox::clearButton("ClearButton", this);
    auto* remove = HistoryBox::removeButton("RemoveFromHistoryButton", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* entry = new QHBoxLayout;
    entry->addWidget(box_, 1);
    entry->addWidget(clear);
    entry->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(entry);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(clear, &QToolButton::clicked, box_, &HistoryBox::clearEntry);
    connect(remove, &QToolButton::clicked, this,
            [this] { common::runAction(prompter_, [this] { box_->removeFromHistory(); }); });
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterDialog::applyFilter);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    box_->load();
    box_->setText(filter_.proposal());
}

void FilterDialog::applyFilter()
{
    outcome_.reset();
    common::runAction(prompter_, [this] { outcome_ = filter_.apply(box_->text(), box_->history()); });
    // An invalid text stays to be corrected; every other outcome closes.
    if (outcome_ == AlbumFilter::Outcome::Invalid) {
        box_->setFocus();
        return;
    }
    accept();
}

}  // namespace search::ui
