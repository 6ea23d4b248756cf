#include "playback/ui/playlist_marking_dialog.h"


#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ansi_text.h"
#include "common/ui/entry_lists.h"

namespace playback::ui {
namespace {

const QString kCaption = " Select tracks to mark for playlist or copy";
constexpr QSize kListSize(260, 260);

}  // namespace

PlaylistMarkingDialog::PlaylistMarkingDialog(PlaylistMarks marks, const QString& albumTitle, Save save,
                                             std::function<void()> help, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), marks_(std::move(marks)),
      albumTitle_(albumTitle), save_(std::move(save)), help_(std::move(help))
{
    buildWindow();
    fillLists();
    enableMoveButtons();
    runningTime_->setVisible(marks_.runningTimeShown());
    runningTimeLabel_->setVisible(marks_.runningTimeShown());
}

void PlaylistMarkingDialog::buildWindow()
{
    setObjectName("PlaylistMarkingDialog");
    setWindowTitle(kCaption);
    auto* availableHeading = new QLabel("Available CD Tracks", this);
    availableHeading->setObjectName("AvailableHeading");
    auto* markedHeading = new QLabel("Marked / PlaylistTracks", this);
    markedHeading->setObjectName("MarkedHeading");
    availableList_ = common::ui::entryList("AvailableList", kListSize, this);
    markedList_ = common::ui::entryList("MarkedList", kListSize, this);
    includeButton_ = common::ui::moveButton("IncludeButton", ">", this);
    includeAllButton_ = common::ui::moveButton("IncludeAllButton", ">>", this);
    excludeButton_ = common::ui::moveButton("ExcludeButton", "<", this);
    excludeAllButton_ = common::ui::moveButton("ExcludeAllButton", "<<", this);

    markedCount_ = new QLabel(this);
    markedCount_->setObjectName("MarkedCount");
    auto* tracksLabel = new QLabel("Tracks", this);
    tracksLabel->setObjectName("TracksLabel");
    runningTimeLabel_ = new QLabel("Playlist running time:", this);
    runningTimeLabel_->setObjectName("RunningTimeLabel");
    runningTime_ = new QLineEdit(this);
    runningTime_->setObjectName("RunningTime");
    runningTime_->setReadOnly(true);
    runningTime_->setFixedWidth(80);
    QFont bold = runningTime_->font();
    bold.setBold(true);
    runningTime_->setFont(bold);
    QPalette lime = runningTime_->palette();
    lime.setColor(QPalette::Base, Qt::green);
    runningTime_->setPalette(lime);

    auto* buttons = common::ui::okCancelHelpButtons(this);

    auto* moves =
        common::ui::moveButtonColumn({includeButton_, includeAllButton_, excludeButton_, excludeAllButton_});
    auto* lists = new QGridLayout;
    lists->addWidget(availableHeading, 0, 0);
    lists->addWidget(markedHeading, 0, 2);
    lists->addWidget(availableList_, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(markedList_, 1, 2);
    auto* totals = new QHBoxLayout;
    totals->addWidget(markedCount_);
    totals->addWidget(tracksLabel);
    totals->addStretch(1);
    totals->addWidget(runningTimeLabel_);
    totals->addWidget(runningTime_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(totals);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(includeButton_, &QToolButton::clicked, this, &PlaylistMarkingDialog::includeSelected);
    connect(includeAllButton_, &QToolButton::clicked, this, &PlaylistMarkingDialog::includeAll);
    connect(excludeButton_, &QToolButton::clicked, this, &PlaylistMarkingDialog::excludeSelected);
    connect(excludeAllButton_, &QToolButton::clicked, this, &PlaylistMarkingDialog::excludeAll);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlaylistMarkingDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { help_(); });
}

void PlaylistMarkingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    setWindowTitle(windowTitle() + " [" + albumTitle_ + "]");
    showTotals();
}

void PlaylistMarkingDialog::includeSelected()
{
    moveSelected(availableList_);
    showTotals();
}

void PlaylistMarkingDialog::excludeSelected()
{
    moveSelected(markedList_);
    showTotals();
}

void PlaylistMarkingDialog::includeAll()
{
    marks_.includeAll();
    fillLists();
    selectNear(availableList_, 0);
    showTotals();
}

void PlaylistMarkingDialog::excludeAll()
{
    marks_.excludeAll();
    fillLists();
    selectNear(markedList_, 0);
    showTotals();
}

void PlaylistMarkingDialog::saveAndClose()
{
    if (save_(marks_))
        accept();
}

void PlaylistMarkingDialog::moveSelected(QListWidget* list)
{
    const std::vector<std::size_t> rows = common::ui::selectedRows(list);
    const int first = rows.empty() ? -1 : static_cast<int>(rows.front());
    if (list == availableList_)
        marks_.include(rows);
    else
        marks_.exclude(rows);
    fillLists();
    selectNear(list, first);
}

void PlaylistMarkingDialog::selectNear(QListWidget* list, int index)
{
    common::ui::selectNear(list, index);
    enableMoveButtons();
}

void PlaylistMarkingDialog::enableMoveButtons()
{
    includeButton_->setEnabled(availableList_->count() > 0);
    includeAllButton_->setEnabled(availableList_->count() > 0);
    excludeButton_->setEnabled(markedList_->count() > 0);
    excludeAllButton_->setEnabled(markedList_->count() > 0);
}

void PlaylistMarkingDialog::fillLists()
{
    common::ui::fillEntries(availableList_, marks_.available());
    common::ui::fillEntries(markedList_, marks_.marked());
}

void PlaylistMarkingDialog::showTotals()
{
    runningTime_->setText(common::fromAnsi(marks_.runningText()));
    markedCount_->setText(QString::number(marks_.markedCount()));
}

}  // namespace playback::ui
