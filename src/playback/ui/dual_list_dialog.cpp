#include "playback/ui/dual_list_dialog.h"

#include <algorithm>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace playback::ui {
namespace {

const QString kCaption = " Select tracks to mark for playlist or copy";
constexpr int kListWidth = 260;
constexpr int kListHeight = 260;

QListWidget* entryList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setFixedSize(kListWidth, kListHeight);
    return list;
}

QToolButton* moveButton(const char* name, const char* arrows, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(arrows);
    button->setFixedWidth(36);
    return button;
}

void fill(QListWidget* list, const std::vector<std::string>& entries)
{
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(common::fromAnsi(entry));
}

}  // namespace

TDualListDlg::TDualListDlg(PlaylistMarks marks, const QString& albumTitle, Save save, std::function<void()> help,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), marks_(std::move(marks)),
      albumTitle_(albumTitle), save_(std::move(save)), help_(std::move(help))
{
    buildWindow();
    showLists();
    setButtons();
    runningLabel_->setVisible(marks_.runningTimeShown());
    label1_->setVisible(marks_.runningTimeShown());
}

void TDualListDlg::buildWindow()
{
    setObjectName("DualListDlg");
    setWindowTitle(kCaption);
    auto* srcLabel = new QLabel("Available CD Tracks", this);
    srcLabel->setObjectName("SrcLabel");
    auto* dstLabel = new QLabel("Marked / PlaylistTracks", this);
    dstLabel->setObjectName("DstLabel");
    srcList_ = entryList("SrcList", this);
    dstList_ = entryList("DstList", this);
    includeBtn_ = moveButton("IncludeBtn", ">", this);
    incAllBtn_ = moveButton("IncAllBtn", ">>", this);
    excludeBtn_ = moveButton("ExcludeBtn", "<", this);
    exAllBtn_ = moveButton("ExAllBtn", "<<", this);

    trksLabel_ = new QLabel(this);
    trksLabel_->setObjectName("TrksLabel");
    auto* label2 = new QLabel("Tracks", this);
    label2->setObjectName("Label2");
    label1_ = new QLabel("Playlist running time:", this);
    label1_->setObjectName("Label1");
    runningLabel_ = new QLineEdit(this);
    runningLabel_->setObjectName("RunningLabel");
    runningLabel_->setReadOnly(true);
    runningLabel_->setFixedWidth(80);
    QFont bold = runningLabel_->font();
    bold.setBold(true);
    runningLabel_->setFont(bold);
    QPalette lime = runningLabel_->palette();
    lime.setColor(QPalette::Base, Qt::green);
    runningLabel_->setPalette(lime);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    auto* helpButton = new QPushButton("Help", this);
    helpButton->setObjectName("HelpBtn");

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QToolButton* b : {includeBtn_, incAllBtn_, excludeBtn_, exAllBtn_})
        moves->addWidget(b);
    moves->addStretch(1);
    auto* lists = new QGridLayout;
    lists->addWidget(srcLabel, 0, 0);
    lists->addWidget(dstLabel, 0, 2);
    lists->addWidget(srcList_, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(dstList_, 1, 2);
    auto* totals = new QHBoxLayout;
    totals->addWidget(trksLabel_);
    totals->addWidget(label2);
    totals->addStretch(1);
    totals->addWidget(label1_);
    totals->addWidget(runningLabel_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(totals);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(includeBtn_, &QToolButton::clicked, this, &TDualListDlg::includeBtnClick);
    connect(incAllBtn_, &QToolButton::clicked, this, &TDualListDlg::incAllBtnClick);
    connect(excludeBtn_, &QToolButton::clicked, this, &TDualListDlg::excludeBtnClick);
    connect(exAllBtn_, &QToolButton::clicked, this, &TDualListDlg::excAllBtnClick);
    connect(ok, &QPushButton::clicked, this, &TDualListDlg::okBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { help_(); });
}

void TDualListDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    setWindowTitle(windowTitle() + " [" + albumTitle_ + "]");
    showRunningTime();
}

void TDualListDlg::includeBtnClick()
{
    const int index = firstSelection(srcList_);
    moveSelected(srcList_);
    setItem(srcList_, index);
    showRunningTime();
}

void TDualListDlg::excludeBtnClick()
{
    const int index = firstSelection(dstList_);
    moveSelected(dstList_);
    setItem(dstList_, index);
    showRunningTime();
}

void TDualListDlg::incAllBtnClick()
{
    marks_.includeAll();
    showLists();
    setItem(srcList_, 0);
    showRunningTime();
}

void TDualListDlg::excAllBtnClick()
{
    marks_.excludeAll();
    showLists();
    setItem(dstList_, 0);
    showRunningTime();
}

void TDualListDlg::okBtnClick()
{
    if (save_(marks_))
        accept();
}

void TDualListDlg::moveSelected(QListWidget* list)
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (list == srcList_)
        marks_.include(rows);
    else
        marks_.exclude(rows);
    showLists();
}

int TDualListDlg::firstSelection(const QListWidget* list)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            return i;
    return -1;
}

void TDualListDlg::setItem(QListWidget* list, int index)
{
    list->setFocus();
    index = std::min(std::max(index, 0), list->count() - 1);
    if (index >= 0)
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    setButtons();
}

void TDualListDlg::setButtons()
{
    includeBtn_->setEnabled(srcList_->count() > 0);
    incAllBtn_->setEnabled(srcList_->count() > 0);
    excludeBtn_->setEnabled(dstList_->count() > 0);
    exAllBtn_->setEnabled(dstList_->count() > 0);
}

void TDualListDlg::showLists()
{
    fill(srcList_, marks_.available());
    fill(dstList_, marks_.marked());
}

void TDualListDlg::showRunningTime()
{
    runningLabel_->setText(common::fromAnsi(marks_.runningText()));
    trksLabel_->setText(QString::number(marks_.markedCount()));
}

}  // namespace playback::ui
