#pragma once

#include <QDialog>

#include "app/tips_file.h"
#include "common/prompter.h"

class QCheckBox;
class QLabel;

namespace app::ui {

// "Tip of the Day": the tip on line 2 of the tips file under "Did you
// know...", "Next Tip" moving on, "Show Tips at Startup" from line 1. OK
// saves the check box and moves past the shown tip.
class TipOfTheDayDialog : public QDialog {
    Q_OBJECT
public:
    TipOfTheDayDialog(TipsFile tips, common::Prompter& prompter, QWidget* parent = nullptr);

    void accept() override;

private:
    void showTip();

    TipsFile tips_;
    common::Prompter& prompter_;
    QLabel* tip_;
    QCheckBox* showAtStartup_;
};

}  // namespace app::ui
