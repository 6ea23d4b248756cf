#pragma once

#include <string_view>

#include "common/prompter.h"
#include "platform/desktop_launcher.h"
#include "settings/program_settings.h"

class QWidget;

namespace editing::ui {

class CoverWindow;

// Display Album Cover: the viewer program of the settings when one is set,
// else the program's own cover window (one, reused, not modal).
class AlbumCoverDisplay {
public:
    // All must outlive this object; `parent` owns the cover window.
    AlbumCoverDisplay(const settings::ProgramSettings& settings, common::Prompter& prompter,
                      platform::DesktopLauncher& desktop, QWidget* parent);

    // Shows the cover that the album's `notes` (Windows-1252) name.
    // `interactive` false is playback's quiet call: it tells nothing, not
    // even a picture that cannot be shown.
    void show(std::string_view notes, bool interactive);

private:
    const settings::ProgramSettings& settings_;
    common::Prompter& prompter_;
    platform::DesktopLauncher& desktop_;
    QWidget* parent_;
    CoverWindow* window_ = nullptr;
};

}  // namespace editing::ui
