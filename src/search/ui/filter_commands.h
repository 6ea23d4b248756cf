#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/status_report.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "search/album_filter.h"

class QWidget;

namespace search::ui {

// The main window's filter entries: "Set Filter to current genre or other
// criteria" shows the filter window, "Cancel Filter" switches the filter
// off.
class FilterCommands {
public:
    // The filter window opens over `window`; the filter's progress texts go
    // to `status`. All must outlive this object.
    FilterCommands(QWidget& window, catalogue::Catalogue& catalogue, common::Prompter& prompter,
                   const common::ProgramState& state, catalogue::StatusReport status);
    FilterCommands(const FilterCommands&) = delete;
    FilterCommands& operator=(const FilterCommands&) = delete;

    void setFilter();
    void cancelFilter();

private:
    QWidget& window_;
    common::Prompter& prompter_;
    const common::ProgramState& state_;
    AlbumFilter filter_;
};

}  // namespace search::ui
