#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

namespace app::ui {

class TForm1;

// "Multiple Matches found - Select One or Cancel": one candidate a line in
// ListBox1 under the headings "Genre (Category)" and "Artist / Album". Made
// once with the main window and shown again for every choice. OK sets the
// main window's request value to the selected line's index (-1 with no
// line selected), Cancel to -1.
class TMatchesForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNoChoice = -1;

    explicit TMatchesForm(TForm1& mainWindow);

    // Shows `lines` (Windows-1252; none selected) modally and returns the
    // index of the chosen one, or kNoChoice; the main window's request
    // value holds the same. An empty list is shown too.
    int choose(const std::vector<std::string>& lines);

private:
    TForm1& mainWindow_;
    QListWidget* list_;
};

}  // namespace app::ui
