#include "search/ui/results_window.h"

#include <vector>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/named_colours.h"
#include "search/ui/results_model.h"

namespace search::ui {
namespace {

struct Design {
    const char* objectName;
    QColor background;
    std::vector<ResultsModel::Column> columns;
    std::vector<int> widths;  // shared out as the grid's width
    const char* goText;
    const char* note;  // above the grid; null for none
};

const QSize kSize(760, 420);
const QSize kSmallestSize(480, 260);

Design designFor(SearchField field)
{
    switch (field) {
    case SearchField::Artist:
        return {"ArtistResultsWindow",
                QColor(common::ui::colour::kTeal),
                {{"NR", "#"}, {"ARTIST", "Artist"}, {"Album", "Album"}, {"Label", "Label"}},
                {40, 200, 220, 260},
                "Go to Album on selected row",
                " A number in the # column means this artist has that track on a multi-artist CD"};
    case SearchField::Track:
        return {"TrackResultsWindow",
                QColor(common::ui::colour::kAqua),
                {{"NR", "#", Qt::AlignRight | Qt::AlignVCenter}, {"TRACK", "Track"}, {"Artist", "Artist"},
                 {"album", "Album"}},
                {40, 260, 200, 200},
                "Go to record for selected row",
                nullptr};
    default:
        return {"AlbumResultsWindow",
                QColor(common::ui::colour::kGreen),
                {{"ALBUM", "Album"}, {"ARTIST", "Artist"}, {"LABEL", "Label"}, {"GENRE", "Genre"}},
                {240, 200, 240, 80},
                "Go to Album for selected row",
                nullptr};
    }
}

}  // namespace

ResultsWindow::ResultsWindow(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum,
                             QWidget* parent)
    : QDialog(parent), prompter_(prompter), goToAlbum_(std::move(goToAlbum))
{
    const Design design = designFor(hits.field);
    setObjectName(design.objectName);
    setWindowTitle(common::fromAnsi(hits.caption));
    // Long labels (folder paths) want more room than the first size gives.
    resize(kSize);
    setMinimumSize(kSmallestSize);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, design.background);
    setPalette(p);

    auto* layout = new QVBoxLayout(this);
    if (design.note) {
        auto* note = new QLabel(design.note, this);
        note->setObjectName("NoteLabel");
        note->setAutoFillBackground(true);
        QPalette aqua = note->palette();
        aqua.setColor(QPalette::Window, common::ui::colour::kAqua);
        note->setPalette(aqua);
        layout->addWidget(note);
    }
    model_ = new ResultsModel(hits, design.columns, this);
    grid_ = new common::ui::CursorGrid("ResultsGrid", this);
    grid_->setModel(model_);
    grid_->fillWidth(design.widths);
    grid_->showRow(0);
    layout->addWidget(grid_, 1);

    auto* go = new QPushButton(design.goText, this);
    go->setObjectName("GoToAlbumButton");
    go->setDefault(true);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(go, &QPushButton::clicked, this, &ResultsWindow::goToHit);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QAbstractItemView::doubleClicked, this, &ResultsWindow::goToHit);
    grid_->setFocus();
}

void ResultsWindow::goToHit()
{
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    ResultsModel::Hit hit;
    if (common::runAction(prompter_, [&] { hit = model_->hitAt(row); }) && !hit.albumId.empty())
        goToAlbum_(hit);
}

}  // namespace search::ui
