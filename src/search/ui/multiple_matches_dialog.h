#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace search::ui {

// "Multiple Matches found - Select One or Cancel": one candidate a line in
// ListBox1 under the headings "Genre (Category)" and "Artist / Album". Made
// once with the main window and shown again for every choice. OK chooses
// the selected line's index (-1 with no line selected), Cancel -1; the
// choice also goes to the main window's request value.
class MultipleMatchesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNoChoice = -1;
    // Keeps the choice where the main window reads it.
    using SetRequest = std::function<void(int choice)>;

    MultipleMatchesDialog(QWidget& mainWindow, SetRequest setRequest);

    // Shows `lines` (Windows-1252; none selected) modally and returns the
    // index of the chosen one, or kNoChoice. An empty list is shown too.
    int choose(const std::vector<std::string>& lines);

private:
    void settle(int choice);

    SetRequest setRequest_;
    int choice_ = kNoChoice;
    QListWidget* list_;
};

}  // namespace search::ui
