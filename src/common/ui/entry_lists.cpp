#include "common/ui/entry_lists.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace common::ui {
namespace {

constexpr int kMoveButtonWidth = 36;

}  // namespace

QListWidget* entryList(const char* name, QSize size, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFixedSize(size);
    return list;
}

QToolButton* moveButton(const char* name, const QString& arrows, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(arrows);
    button->setFixedWidth(kMoveButtonWidth);
    return button;
}

QVBoxLayout* moveButtonColumn(const std::vector<QToolButton*>& buttons)
{
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    for (QToolButton* button : buttons)
        column->addWidget(button);
    column->addStretch(1);
    return column;
}

QDialogButtonBox* okCancelHelpButtons(QWidget* parent)
{
    auto* buttons = new QDialogButtonBox(parent);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setObjectName("OKButton");
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    buttons->addButton("Help", QDialogButtonBox::HelpRole)->setObjectName("HelpButton");
    return buttons;
}

void fillEntries(QListWidget* list, const std::vector<std::string>& entries)
{
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(fromAnsi(entry));
}

std::vector<std::size_t> selectedRows(const QListWidget* list)
{
    std::vector<std::size_t> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

void selectNear(QListWidget* list, int index)
{
    list->setFocus();
    index = std::min(std::max(index, 0), list->count() - 1);
    if (index >= 0)
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

}  // namespace common::ui
