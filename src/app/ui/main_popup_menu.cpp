#include "app/ui/main_popup_menu.h"

#include <optional>

namespace app::ui {
namespace {

struct EntryDef {
    std::optional<Feature> feature;
    const char* objectName;
    const char* text;
};

const EntryDef kEntries[] = {
    {Feature::HomePage, "HomePageItem", "Home Page"},
    {std::nullopt, "NaturalOrderItem", "Show albums in order entered (natural order)"},
    {Feature::FindCd, "FindCDItem", "Make CD in drive the current highlighted album"},
    {Feature::WebPage, "WebPageItem", "Go to website/document for current artist/album"},
    {Feature::AlbumCover, "AlbumCoverItem", "Display Album Cover"},
    {Feature::Options, "OptionsItem", "Properties/Options Form"},
    {std::nullopt, "TipItem", "See the Tip of the Day"},
    {std::nullopt, "HelpItem", "Help Contents"},
    {Feature::TracksView, "TracksViewItem", "Tracks View - displays one track per row"},
    {Feature::DetailView, "DetailViewItem", "Detail View - more info and tools"},
    {Feature::SetFilter, "SetFilterItem", "Set Filter to current genre or other criteria"},
    {Feature::CancelFilter, "CancelFilterItem", "Cancel Filter"},
    {std::nullopt, "ExitItem", "Exit Program"},
};

}  // namespace

MainPopupMenu::MainPopupMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName("PopupMenu1");
    for (const EntryDef& def : kEntries) {
        // A separator stands where the filter entries start a column of
        // their own: menus here have one column.
        if (def.feature == Feature::SetFilter)
            addSeparator();
        QAction* action = addAction(def.text);
        action->setObjectName(def.objectName);
        if (def.feature)
            featureActions_.emplace_back(*def.feature, action);
    }
}

QAction* MainPopupMenu::entry(const char* objectName) const { return findChild<QAction*>(objectName); }

}  // namespace app::ui
