#include "app/ui/filter_commands.h"

#include "app/ui/filter_form.h"
#include "app/ui/main_window.h"

namespace app::ui {

FilterCommands::FilterCommands(TForm1& form, catalogue::Catalogue& catalogue, common::Prompter& prompter,
                               const common::ProgramState& state)
    : form_(form),
      prompter_(prompter),
      state_(state),
      filter_(catalogue.albums(), prompter, [&form](const std::string& text) { form.setStatusText(text); })
{
    form_.setFeature(Feature::SetFilter, [this] { setFilter(); });
    form_.setFeature(Feature::CancelFilter, [this] { cancelFilter(); });
}

void FilterCommands::setFilter()
{
    {
        TFilterForm window(filter_, prompter_, state_.programDir, &form_);
        window.exec();
    }
    filter_.windowClosed();
    form_.focusAlbumsGrid();
}

void FilterCommands::cancelFilter()
{
    filter_.cancel();
    form_.focusAlbumsGrid();
}

}  // namespace app::ui
