#include "editing/ui/track_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace editing::ui {

TrackChooserDialog::TrackChooserDialog(TrackChooser& chooser, std::function<void(std::string_view)> openPage,
                                       QWidget* parent)
    : QDialog(parent), chooser_(chooser), openPage_(std::move(openPage))
{
    setObjectName("TrackChooserDialog");
    setWindowTitle("Select track for extended information");
    auto* layout = new QVBoxLayout(this);
    trackList_ = new QListWidget(this);
    trackList_->setObjectName("TrackList");
    // The numbers are blank-padded to line up.
    trackList_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(trackList_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setObjectName("OKButton");
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    buttons->addButton("Help", QDialogButtonBox::HelpRole)->setObjectName("HelpButton");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TrackChooserDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (openPage_)
            openPage_("CDhelp2.html#notes");
    });
    connect(trackList_, &QListWidget::itemDoubleClicked, this, &TrackChooserDialog::confirm);
}

std::optional<std::size_t> TrackChooserDialog::choose(const std::vector<lookup::TrackRow>& rows)
{
    chosen_.reset();
    const auto entries = chooser_.entries(rows);
    if (!entries)
        return std::nullopt;
    trackList_->clear();
    for (const std::string& entry : *entries)
        trackList_->addItem(common::fromAnsi(entry));
    const auto preselected = chooser_.preselected(entries->size());
    trackList_->setCurrentRow(preselected ? static_cast<int>(*preselected) : -1);
    exec();
    return chosen_;
}

void TrackChooserDialog::confirm()
{
    const int row = trackList_->selectedItems().isEmpty() ? -1 : trackList_->currentRow();
    const auto selected = row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
    if (!chooser_.accept(selected))
        return;
    chosen_ = selected;
    accept();
}

}  // namespace editing::ui
