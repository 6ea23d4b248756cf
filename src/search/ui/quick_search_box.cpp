#include "search/ui/quick_search_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/named_colours.h"

namespace search::ui {

QuickSearchBox::QuickSearchBox(common::Prompter& prompter, CatalogueSource catalogue,
                               ResultsWindow::GoToAlbum goToAlbum, QWidget* parent)
    : QGroupBox(" Quick Search", parent),
      prompter_(prompter),
      catalogue_(std::move(catalogue)),
      goToAlbum_(std::move(goToAlbum))
{
    setObjectName("QuickSearchBox");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, common::ui::colour::kAqua);
    setPalette(p);

    field_ = new QComboBox(this);
    field_->setObjectName("FieldList");
    for (std::string_view name : kSearchFieldNames)
        field_->addItem(common::fromAnsi(name));
    field_->setCurrentIndex(0);
    text_ = new QLineEdit(this);
    text_->setObjectName("SearchText");
    text_->setPlaceholderText("text to find");
    auto* find = new QPushButton("Find It", this);
    find->setObjectName("FindButton");
    auto* clear = new QPushButton("Clear", this);
    clear->setObjectName("ClearButton");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Field:", this), 0, 0);
    grid->addWidget(field_, 0, 1, 1, 2);
    grid->addWidget(new QLabel("For:", this), 1, 0);
    grid->addWidget(text_, 1, 1, 1, 2);
    grid->addWidget(find, 2, 1);
    grid->addWidget(clear, 2, 2);

    connect(find, &QPushButton::clicked, this, &QuickSearchBox::findText);
    connect(text_, &QLineEdit::returnPressed, this, &QuickSearchBox::findText);
    connect(clear, &QPushButton::clicked, this, &QuickSearchBox::clear);
    connect(field_, &QComboBox::activated, this, [this] { text_->setFocus(); });
}

void QuickSearchBox::findText()
{
    catalogue::Catalogue* catalogue = catalogue_();
    const std::string text = common::toAnsi(text_->text());
    const auto field = static_cast<SearchField>(field_->currentIndex());
    if (catalogue && text.empty()) {
        prompter_.info("Nothing to find: type a part of what the \"" +
                       std::string(kSearchFieldNames[static_cast<std::size_t>(field)]) +
                       "\" field holds (letter case does not matter), then press Find It.");
        text_->setFocus();
        return;
    }
    if (!catalogue)
        return;
    common::runAction(prompter_, [&] {
        QuickSearch(*catalogue, prompter_).find(field, text, [this](const SearchHits& hits) {
            ResultsWindow(hits, prompter_, goToAlbum_, window()).exec();
        });
    });
    emit searched();
}

void QuickSearchBox::clear()
{
    text_->clear();
    text_->setFocus();
}

}  // namespace search::ui
