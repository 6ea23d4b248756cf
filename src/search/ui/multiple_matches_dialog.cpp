#include "search/ui/multiple_matches_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace search::ui {
namespace {

constexpr int kGenreColumnWidth = 130;
constexpr int kListWidth = 520;
constexpr int kListHeight = 180;

}  // namespace

MultipleMatchesDialog::MultipleMatchesDialog(QWidget& mainWindow, SetRequest setRequest)
    : QDialog(&mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      setRequest_(std::move(setRequest))
{
    setObjectName("MatchesForm");
    setWindowTitle("Multiple Matches found - Select One or Cancel");
    setModal(true);

    auto* genre = new QLabel("Genre (Category)", this);
    genre->setObjectName("GenreHeading");
    genre->setFixedWidth(kGenreColumnWidth);
    auto* album = new QLabel("Artist / Album", this);
    album->setObjectName("AlbumHeading");
    list_ = new QListWidget(this);
    list_->setObjectName("ListBox1");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(kListWidth, kListHeight);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");

    auto* headings = new QHBoxLayout;
    headings->addWidget(genre);
    headings->addWidget(album, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        settle(selected.isEmpty() ? kNoChoice : list_->row(selected.front()));
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { settle(kNoChoice); });
}

int MultipleMatchesDialog::choose(const std::vector<std::string>& lines)
{
    list_->clear();
    for (const std::string& line : lines)
        list_->addItem(common::fromAnsi(line));
    list_->clearSelection();
    list_->setCurrentRow(-1);
    settle(kNoChoice);
    exec();
    return choice_;
}

void MultipleMatchesDialog::settle(int choice)
{
    choice_ = choice;
    setRequest_(choice);
}

}  // namespace search::ui
