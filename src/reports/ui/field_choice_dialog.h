#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "common/prompter.h"
#include "reports/field_choice.h"

class QListWidget;
class QStatusBar;
class QToolButton;

namespace reports::ui {

// "Fields from Albums table to include in output": the ALBUMS fields not
// chosen in one list (sorted), the chosen ones in the other in output
// order, the four move buttons, Up and Down for the chosen list, OK, Cancel
// and Help. While it is open the status bar of the window that asked says
// what to do; its own text comes back when the dialog closes.
class FieldChoiceDialog : public QDialog {
    Q_OBJECT
public:
    FieldChoiceDialog(FieldChoice start, common::Prompter& prompter, std::function<void()> help,
                      QStatusBar* status, QWidget* parent = nullptr);

    // The chosen labels in order after OK; none after Cancel.
    std::vector<std::string> fields() const;

    // Shows the dialog for `kind`; the chosen labels, or none when cancelled.
    static std::vector<std::string> choose(OutputKind kind, bool includeTracks, common::Prompter& prompter,
                                           std::function<void()> help, QStatusBar* status, QWidget* parent);

    void done(int result) override;

private:
    void buildWindow();
    // Moves the selected entries of `list` (one of the two) to the other.
    void moveSelected(QListWidget* list);
    void moveAll(QListWidget* list);
    void moveChosen(int step);
    void acceptIfChosen();
    void fillLists();

    FieldChoice choice_;
    common::Prompter& prompter_;
    std::function<void()> help_;
    QStatusBar* status_;
    QString statusBefore_;

    QListWidget* availableList_;
    QListWidget* chosenList_;
    QToolButton* includeButton_;
    QToolButton* includeAllButton_;
    QToolButton* excludeButton_;
    QToolButton* excludeAllButton_;
};

}  // namespace reports::ui
