#include "maintenance/ui/maintenance_commands.h"

#include "common/ansi_text.h"
#include "common/ui/progress_step.h"
#include "maintenance/album_deletion.h"
#include "maintenance/file_maintenance.h"

namespace maintenance::ui {

MaintenanceCommands::MaintenanceCommands(catalogue::Catalogue& catalogue, common::Prompter& prompter, QWidget* window,
                                         GridRelease releaseGrids)
    : catalogue_(catalogue), prompter_(prompter), window_(window), releaseGrids_(std::move(releaseGrids))
{
}

void MaintenanceCommands::reindex() { FileMaintenance(catalogue_, prompter_, zip_, runner()).run(); }

void MaintenanceCommands::deleteAlbum() { AlbumDeletion(catalogue_, prompter_, runner()).run(); }

LongStepRunner MaintenanceCommands::runner()
{
    return [this](const std::string& label, bool stoppable, const std::function<void(common::Progress&)>& step) {
        releaseGrids_([&] {
            common::ui::runWithProgress(window_, common::fromAnsi(label),
                                        stoppable ? common::ui::Stopping::Allowed : common::ui::Stopping::NotAllowed,
                                        step);
        });
    };
}

}  // namespace maintenance::ui
