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
const char* const kCddbTitle = "Multiple Matches found - Select One or Cancel";
const char* const kCddbAlbumHeading = "Artist / Album";

}  // namespace

MultipleMatchesDialog::MultipleMatchesDialog(QWidget& mainWindow)
    : QDialog(&mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("MultipleMatchesDialog");
    setWindowTitle(kCddbTitle);
    setModal(true);

    genreHeading_ = new QLabel("Genre (Category)", this);
    genreHeading_->setObjectName("GenreHeading");
    genreHeading_->setFixedWidth(kGenreColumnWidth);
    albumHeading_ = new QLabel(kCddbAlbumHeading, this);
    albumHeading_->setObjectName("AlbumHeading");
    candidates_ = new QListWidget(this);
    candidates_->setObjectName("CandidateList");
    candidates_->setSelectionMode(QAbstractItemView::SingleSelection);
    candidates_->setMinimumSize(kListWidth, kListHeight);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* headings = new QHBoxLayout;
    headings->addWidget(genreHeading_);
    headings->addWidget(albumHeading_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(candidates_, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int MultipleMatchesDialog::choose(const std::vector<std::string>& lines, Candidates candidates)
{
    // Releases carry no category: their details follow the album instead.
    const bool releases = candidates == Candidates::MusicBrainzReleases;
    setWindowTitle(releases ? "Releases found on MusicBrainz - Select One or Cancel" : kCddbTitle);
    genreHeading_->setVisible(!releases);
    albumHeading_->setText(releases ? "Artist / Album (date, country, format, tracks, bar code)" : kCddbAlbumHeading);
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
