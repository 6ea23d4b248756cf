#include "search/ui/history_box.h"

#include <QIcon>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include "common/ansi_text.h"

namespace search::ui {
namespace {

constexpr int kVisibleEntries = 6;

// The icon theme's `icon`, else the style's `fallback`.
QToolButton* pictureButton(const char* name, const char* tooltip, const char* icon, QStyle::StandardPixmap fallback,
                           QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setIcon(QIcon::fromTheme(icon, parent->style()->standardIcon(fallback)));
    return button;
}

}  // namespace

HistoryBox::HistoryBox(const std::string& programDir, FilterHistory::Table table, QWidget* parent)
    : QComboBox(parent), history_(programDir, table)
{
    setEditable(true);
    setMaxVisibleItems(kVisibleEntries);
    // Entries are added by the window's rules, not by pressing Enter, and
    // what is typed stays as typed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

QToolButton* HistoryBox::clearButton(const char* name, QWidget* parent)
{
    return pictureButton(name, "Clear Albums table filter", "edit-clear", QStyle::SP_LineEditClearButton, parent);
}

QToolButton* HistoryBox::removeButton(const char* name, QWidget* parent)
{
    return pictureButton(name, "Remove from history list", "edit-delete", QStyle::SP_TrashIcon, parent);
}

void HistoryBox::load()
{
    history_.load();
    showEntries();
}

void HistoryBox::showEntries()
{
    const QString kept = currentText();
    clear();
    for (const std::string& entry : history_.entries())
        addItem(common::fromAnsi(entry));
    setEditText(kept);
}

std::string HistoryBox::text() const { return common::toAnsi(currentText()); }

void HistoryBox::setText(const std::string& text) { setEditText(common::fromAnsi(text)); }

void HistoryBox::clearEntry()
{
    clearEditText();
    setFocus();
}

void HistoryBox::removeFromHistory()
{
    if (!history_.remove(text()))
        return;
    showEntries();
    clearEditText();
}

}  // namespace search::ui
