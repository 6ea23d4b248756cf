#pragma once

#include "app/album_filter.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"

namespace app::ui {

class TForm1;

// The main window's filter entries: "Set Filter to current genre or other
// criteria" shows the filter window, "Cancel Filter" switches the filter
// off; after either the focus is back in the albums grid.
class FilterCommands {
public:
    // Registers both features on `form`. All four must outlive this object.
    FilterCommands(TForm1& form, catalogue::Catalogue& catalogue, common::Prompter& prompter,
                   const common::ProgramState& state);
    FilterCommands(const FilterCommands&) = delete;
    FilterCommands& operator=(const FilterCommands&) = delete;

private:
    void setFilter();
    void cancelFilter();

    TForm1& form_;
    common::Prompter& prompter_;
    const common::ProgramState& state_;
    AlbumFilter filter_;
};

}  // namespace app::ui
