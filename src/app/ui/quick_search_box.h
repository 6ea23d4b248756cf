#pragma once

#include <QGroupBox>

#include "app/quick_search.h"
#include "common/prompter.h"

class QComboBox;
class QLineEdit;

namespace app::ui {

class TForm1;

// The main window's " Quick Search" box: the field list RadioGroup2, the
// text box Edit1, "Find It" (Enter in the text box too) and "Clear". A
// search with hits shows its result window; picking a hit there makes that
// album current through the window's go-to-album routine.
class QuickSearchBox : public QGroupBox {
    Q_OBJECT
public:
    QuickSearchBox(TForm1& form, common::Prompter& prompter, QWidget* parent = nullptr);

private:
    void findIt();
    void clear();
    void showResults(const SearchHits& hits);

    TForm1& form_;
    common::Prompter& prompter_;
    QComboBox* field_;
    QLineEdit* text_;
};

}  // namespace app::ui
