#pragma once

#include <string>

#include <QComboBox>

class QToolButton;

#include "search/filter_history.h"

namespace search::ui {

// An editable drop-down box whose entries are a filter history (the filter
// window's and the report writer's boxes). Its text is Windows-1252 on the
// program's side.
class HistoryBox : public QComboBox {
    Q_OBJECT
public:
    // The history of `table` in `programDir`, not read yet.
    HistoryBox(const std::string& programDir, FilterHistory::Table table, QWidget* parent = nullptr);

    FilterHistory& history() { return history_; }
    // Reads the history file into the entries. Throws xbase::XbaseError.
    void load();
    // The entries again from the history; the text stays.
    void showEntries();

    // The picture buttons beside such a box, "Clear Albums table filter" and
    // "Remove from history list", named `name`; the window connects them.
    static QToolButton* clearButton(const char* name, QWidget* parent);
    static QToolButton* removeButton(const char* name, QWidget* parent);

    std::string text() const;
    void setText(const std::string& text);

    // "Clear": the text emptied, the focus in the box.
    void clearEntry();
    // "Remove from history list": a text that is one of the entries is
    // removed from them and from the file at once, and the text emptied;
    // any other text changes nothing. Throws xbase::XbaseError when the
    // file cannot be written.
    void removeFromHistory();

private:
    FilterHistory history_;
};

}  // namespace search::ui
