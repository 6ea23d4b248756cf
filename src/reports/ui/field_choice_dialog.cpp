#include "reports/ui/field_choice_dialog.h"


#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/entry_lists.h"

namespace reports::ui {
namespace {

constexpr QSize kListSize(160, 200);

}  // namespace

FieldChoiceDialog::FieldChoiceDialog(FieldChoice start, common::Prompter& prompter, std::function<void()> help,
                                     QStatusBar* status, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), choice_(std::move(start)),
      prompter_(prompter), help_(std::move(help)), status_(status)
{
    buildWindow();
    fillLists();
    if (status_) {
        statusBefore_ = status_->currentMessage();
        status_->showMessage("Choose the fields you want to see in the output");
    }
}

std::vector<std::string> FieldChoiceDialog::choose(OutputKind kind, bool includeTracks, common::Prompter& prompter,
                                                   std::function<void()> help, QStatusBar* status, QWidget* parent)
{
    FieldChoiceDialog dialog(initialFieldChoice(kind, includeTracks), prompter, std::move(help), status, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.fields() : std::vector<std::string>();
}

std::vector<std::string> FieldChoiceDialog::fields() const
{
    return result() == QDialog::Accepted ? choice_.chosen : std::vector<std::string>();
}

void FieldChoiceDialog::buildWindow()
{
    setObjectName("FieldChoiceDialog");
    setWindowTitle("Fields from Albums table to include in output");
    auto* availableHeading = new QLabel("Available Fields", this);
    auto* chosenHeading = new QLabel("Include in Output", this);
    availableList_ = common::ui::entryList("AvailableList", kListSize, this);
    chosenList_ = common::ui::entryList("ChosenList", kListSize, this);
    includeButton_ = common::ui::moveButton("IncludeButton", ">", this);
    includeAllButton_ = common::ui::moveButton("IncludeAllButton", ">>", this);
    excludeButton_ = common::ui::moveButton("ExcludeButton", "<", this);
    excludeAllButton_ = common::ui::moveButton("ExcludeAllButton", "<<", this);
    auto* upButton = common::ui::moveButton("UpButton", QString(), this);
    upButton->setArrowType(Qt::UpArrow);
    upButton->setToolTip("Move selected output field up");
    auto* downButton = common::ui::moveButton("DownButton", QString(), this);
    downButton->setArrowType(Qt::DownArrow);
    downButton->setToolTip("Move selected output field down");

    auto* buttons = common::ui::okCancelHelpButtons(this);

    auto* moves =
        common::ui::moveButtonColumn({includeButton_, includeAllButton_, excludeButton_, excludeAllButton_});
    auto* order = common::ui::moveButtonColumn({upButton, downButton});
    auto* lists = new QGridLayout;
    lists->addWidget(availableHeading, 0, 0);
    lists->addWidget(chosenHeading, 0, 2);
    lists->addWidget(availableList_, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(chosenList_, 1, 2);
    lists->addLayout(order, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(includeButton_, &QToolButton::clicked, this, [this] { moveSelected(availableList_); });
    connect(excludeButton_, &QToolButton::clicked, this, [this] { moveSelected(chosenList_); });
    connect(includeAllButton_, &QToolButton::clicked, this, [this] { moveAll(availableList_); });
    connect(excludeAllButton_, &QToolButton::clicked, this, [this] { moveAll(chosenList_); });
    connect(upButton, &QToolButton::clicked, this, [this] { moveChosen(-1); });
    connect(downButton, &QToolButton::clicked, this, [this] { moveChosen(+1); });
    connect(buttons, &QDialogButtonBox::accepted, this, &FieldChoiceDialog::acceptIfChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { help_(); });
}

void FieldChoiceDialog::done(int result)
{
    if (status_)
        status_->showMessage(statusBefore_);
    QDialog::done(result);
}

void FieldChoiceDialog::moveSelected(QListWidget* list)
{
    const std::vector<std::size_t> rows = common::ui::selectedRows(list);
    const int first = rows.empty() ? -1 : static_cast<int>(rows.front());
    if (list == availableList_)
        choice_.include(rows);
    else
        choice_.exclude(rows);
    fillLists();
    common::ui::selectNear(list, first);
}

void FieldChoiceDialog::moveAll(QListWidget* list)
{
    if (list == availableList_)
        choice_.includeAll();
    else
        choice_.excludeAll();
    fillLists();
    common::ui::selectNear(list, 0);
}

void FieldChoiceDialog::moveChosen(int step)
{
    if (choice_.chosen.empty()) {
        prompter_.error(std::string(kNoFieldsText));
        return;
    }
    const int row = chosenList_->currentRow();
    if (row < 0)
        return;
    const std::size_t to = choice_.moveChosen(static_cast<std::size_t>(row), step);
    common::ui::fillEntries(chosenList_, choice_.chosen);
    common::ui::selectNear(chosenList_, static_cast<int>(to));
}

void FieldChoiceDialog::acceptIfChosen()
{
    if (choice_.chosen.empty()) {
        prompter_.error(std::string(kNoFieldsText));
        return;
    }
    accept();
}

void FieldChoiceDialog::fillLists()
{
    common::ui::fillEntries(availableList_, choice_.available);
    common::ui::fillEntries(chosenList_, choice_.chosen);
    includeButton_->setEnabled(!choice_.available.empty());
    includeAllButton_->setEnabled(!choice_.available.empty());
    excludeButton_->setEnabled(!choice_.chosen.empty());
    excludeAllButton_->setEnabled(!choice_.chosen.empty());
}

}  // namespace reports::ui
