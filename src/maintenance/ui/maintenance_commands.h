#pragma once

#include <functional>

#include "catalogue/catalogue.h"
#include "common/prompter.h"
#include "maintenance/long_step_runner.h"
#include "platform/zip/libzip_updater.h"

class QWidget;

namespace maintenance::ui {

// The main window's "Reindex" and "Delete": the flows, their long steps
// under a progress window over `window`, the archive through libzip.
class MaintenanceCommands {
public:
    // Runs its argument while the window's grids leave the tables alone.
    using GridRelease = std::function<void(const std::function<void()>&)>;

    MaintenanceCommands(catalogue::Catalogue& catalogue, common::Prompter& prompter, QWidget* window,
                        GridRelease releaseGrids);

    // File maintenance (FileMaintenance). Throws as it does.
    void reindex();
    // Deletes the current album (AlbumDeletion). Throws as it does.
    void deleteAlbum();

private:
    LongStepRunner runner();

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    QWidget* window_;
    GridRelease releaseGrids_;
    platform::LibzipUpdater zip_;
};

}  // namespace maintenance::ui
