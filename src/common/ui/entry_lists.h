#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QSize>
#include <QString>

class QDialogButtonBox;
class QListWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

// The parts of a window that moves entries between two lists (the playlist
// marks, the report's fields).
namespace common::ui {

// A list of `size` whose entries can be selected several at a time.
QListWidget* entryList(const char* name, QSize size, QWidget* parent);
// One of the arrow buttons between the lists.
QToolButton* moveButton(const char* name, const QString& arrows, QWidget* parent);
// The arrow buttons one above the other, centred in their column.
QVBoxLayout* moveButtonColumn(const std::vector<QToolButton*>& buttons);
// OK, Cancel and Help, named OKButton, CancelButton and HelpButton.
QDialogButtonBox* okCancelHelpButtons(QWidget* parent);
// The list's entries become `entries` (Windows-1252 text).
void fillEntries(QListWidget* list, const std::vector<std::string>& entries);
// The selected rows of `list`, top to bottom.
std::vector<std::size_t> selectedRows(const QListWidget* list);
// Focuses `list` with the entry at `index` (or the nearest) selected.
void selectNear(QListWidget* list, int index);

}  // namespace common::ui
