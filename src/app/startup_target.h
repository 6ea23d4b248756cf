#pragma once

#include <functional>
#include <string>

namespace app {

// What the start-up sequence asks of the main window. Texts are
// Windows-1252.
class StartupTarget {
public:
    virtual ~StartupTarget() = default;
    // The status bar's text; "" clears it. May be called from the thread
    // that runs a long step.
    virtual void showStatus(const std::string& text) = 0;
    // Runs `step` to its end while the window keeps painting; rethrows what
    // it threw.
    virtual void runLongStep(const std::function<void()>& step) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setMaximized(bool maximized) = 0;
    virtual void applyHints(bool show) = 0;
    // The table views are open: the grids show them; Delete, Modify and
    // Playlist follow `hasAlbums`.
    virtual void catalogueOpened(bool hasAlbums) = 0;
    virtual void disableAddCd() = 0;
    virtual void showTipOfTheDay() = 0;
    // The last step: the current album shown, the current order's title
    // coloured, the focus in the albums grid.
    virtual void finishStartup() = 0;
};

}  // namespace app
