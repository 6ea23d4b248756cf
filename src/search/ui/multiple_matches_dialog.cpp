#include "search/ui/multiple_matches_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace search::ui {
namespace {

constexpr int kGenreColumnWidth = 130;
constexpr int kListWidth = 520;
constexpr int kListHeight = 180;

}  // namespace

MultipleMatchesDialog::MultipleMatchesDialog(QWidget& mainWindow)
    : QDialog(&mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("MultipleMatchesDialog");
    setWindowTitle("Multiple Matches found - Select One or Cancel");
    setModal(true);

    auto* genre = new QLabel("Genre (Category)", this);
    genre->setObjectName("GenreHeading");
    genre->setFixedWidth(kGenreColumnWidth);
    auto* album = new QLabel("Artist / Album", this);
    album->setObjectName("AlbumHeading");
    candidates_ = new QListWidget(this);
    candidates_->setObjectName("CandidateList");
    candidates_->setSelectionMode(QAbstractItemView::SingleSelection);
    candidates_->setMinimumSize(kListWidth, kListHeight);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* headings = new QHBoxLayout;
    headings->addWidget(genre);
    headings->addWidget(album, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(candidates_, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int MultipleMatchesDialog::choose(const std::vector<std::string>& lines)
{
    candidates_->clear();
    for (const std::string& line : lines)
        candidates_->addItem(common::fromAnsi(line));
    candidates_->clearSelection();
    candidates_->setCurrentRow(-1);
    if (exec() != QDialog::Accepted)
        return kNoChoice;
    const QList<QListWidgetItem*> selected = candidates_->selectedItems();
    return selected.isEmpty() ? kNoChoice : candidates_->row(selected.front());
}

}  // namespace search::ui
