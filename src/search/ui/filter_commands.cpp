#include "search/ui/filter_commands.h"

#include "search/ui/filter_dialog.h"

namespace search::ui {

FilterCommands::FilterCommands(QWidget& window, catalogue::Catalogue& catalogue, common::Prompter& prompter,
                               const common::ProgramState& state, catalogue::StatusReport status)
    : window_(window), prompter_(prompter), state_(state), filter_(catalogue.albums(), prompter, std::move(status))
{
}

void FilterCommands::setFilter()
{
    {
        FilterDialog window(filter_, prompter_, state_.programDir, &window_);
        window.exec();
    }
    filter_.windowClosed();
}

void FilterCommands::cancelFilter() { filter_.cancel(); }

}  // namespace search::ui
