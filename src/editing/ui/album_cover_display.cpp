#include "editing/ui/album_cover_display.h"

#include <string>

#include <QString>

#include "common/ansi_text.h"
#include "editing/album_cover.h"
#include "editing/ui/cover_window.h"

namespace editing::ui {
namespace {

std::string stored(const std::string& path) { return common::toAnsi(QString::fromStdString(path)); }

}  // namespace

AlbumCoverDisplay::AlbumCoverDisplay(const settings::ProgramSettings& settings, common::Prompter& prompter,
                                     platform::DesktopLauncher& desktop, QWidget* parent)
    : settings_(settings), prompter_(prompter), desktop_(desktop), parent_(parent)
{
}

void AlbumCoverDisplay::show(std::string_view notes, bool interactive)
{
    const CoverDisplay display = coverDisplay(notes, settings_.viewer, interactive);
    switch (display.action) {
    case CoverDisplay::Action::Nothing:
        return;
    case CoverDisplay::Action::Tell:
        prompter_.error(display.message);
        return;
    case CoverDisplay::Action::StartViewer:
        if (!desktop_.startProgram(QString::fromStdString(display.viewer), QString::fromStdString(display.image)) &&
            interactive)
            prompter_.error(std::string(kViewerNotStartedText) + stored(display.viewer));
        return;
    case CoverDisplay::Action::ShowImage:
        if (!window_)
            window_ = new CoverWindow(parent_);
        if (!window_->showImage(QString::fromStdString(display.image)) && interactive)
            prompter_.error(stored(display.image) + "\r" + std::string(kNotAPictureEnd));
        return;
    }
}

}  // namespace editing::ui
