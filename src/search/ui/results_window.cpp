#include "search/ui/results_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/named_colours.h"

namespace search::ui {

ResultsWindow::ResultsWindow(const Design& design, const SearchHits& hits, common::Prompter& prompter,
                             GoToAlbum goToAlbum, QWidget* parent)
    : QDialog(parent), prompter_(prompter), goToAlbum_(std::move(goToAlbum))
{
    setObjectName(design.objectName);
    setWindowTitle(common::fromAnsi(hits.caption));
    setFixedSize(design.size);
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
    model_ = new ResultsModel(hits.view, design.columns, this);
    grid_ = new common::ui::CursorGrid("DBGrid1", this);
    grid_->setModel(model_);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->showRow(0);
    layout->addWidget(grid_, 1);

    auto* go = new QPushButton(design.goText, this);
    go->setObjectName("Button1");
    go->setDefault(true);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("BitBtn1");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(go, &QPushButton::clicked, this, &ResultsWindow::goButtonClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    grid_->setFocus();
}

void ResultsWindow::goButtonClick()
{
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    std::string id;
    if (common::runAction(prompter_, [&] { id = model_->idAt(row); }) && !id.empty())
        goToAlbum_(id);
}

}  // namespace search::ui
