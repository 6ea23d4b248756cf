#include "app/ui/feature_control_design.h"

#include "common/ui/icon_drawings.h"
#include "common/ui/themed_icon.h"

namespace app::ui {
namespace {

using enum FeatureBox;
using namespace common::ui::icon_drawings;

const FeatureControlDesign kDesigns[] = {
    {.feature = Feature::AddCd, .name = "AddCd", .box = ManageCollection, .caption = "Add CD",
     .tooltip = "Add CD now in CD-ROM drive"},
    {.feature = Feature::AddOther, .name = "AddOther", .box = ManageCollection, .caption = "Add Other",
     .tooltip = "Add Media not in CD-ROM drive"},
    {.feature = Feature::Modify, .name = "Modify", .box = ManageCollection, .caption = "Modify",
     .tooltip = "Edit Current Entry"},
    {.feature = Feature::Delete, .name = "Delete", .box = ManageCollection, .caption = "Delete",
     .tooltip = "Delete highlighted album and tracks from collection"},
    {.feature = Feature::Playlist, .name = "Playlist", .box = ManageCollection, .caption = "Playlist",
     .tooltip = "Mark Tracks"},
    {.feature = Feature::Reindex, .name = "Reindex", .box = ManageCollection, .caption = "Reindex",
     .tooltip = "File Maintenance"},
    {.feature = Feature::HomePage, .name = "HomePage", .box = Toolbox, .tooltip = "Visit our Home Page",
     .icon = "go-home", .drawing = house, .menuText = "Home Page"},
    {.feature = Feature::NaturalOrder, .name = "NaturalOrder", .box = Toolbox,
     .tooltip = "Show albums in order entered", .icon = "view-sort-ascending", .drawing = sortAscending,
     .menuText = "Show albums in order entered (natural order)"},
    {.feature = Feature::FindCd, .name = "FindCd", .box = Toolbox, .tooltip = "Make CD in drive the current album",
     .icon = "media-optical", .drawing = opticalDisc, .menuText = "Make CD in drive the current highlighted album"},
    {.feature = Feature::WebPage, .name = "WebPage", .box = Toolbox,
     .tooltip = "Go to website or document for this artist or album", .icon = "web-browser", .drawing = globe,
     .menuText = "Go to website/document for current artist/album"},
    {.feature = Feature::AlbumCover, .name = "AlbumCover", .box = Toolbox, .tooltip = "Display Album Cover",
     .icon = "image-x-generic", .drawing = picture, .menuText = "Display Album Cover"},
    {.feature = Feature::Options, .name = "Options", .box = Toolbox, .tooltip = "Properties/Options",
     .icon = "preferences-system", .drawing = gear, .menuText = "Properties/Options Form"},
    {.feature = Feature::TipOfTheDay, .name = "TipOfTheDay", .box = Toolbox, .tooltip = "Tip of the Day",
     .icon = "dialog-information", .drawing = information, .menuText = "See the Tip of the Day"},
    {.feature = Feature::Help, .name = "Help", .box = Toolbox, .tooltip = "Go to Help Page",
     .icon = "help-contents", .drawing = question, .menuText = "Help Contents"},
    {.feature = Feature::TracksView, .name = "TracksView", .box = Toolbox, .tooltip = "Tracks View - one track per row",
     .icon = "view-list-details", .drawing = listDetails, .menuText = "Tracks View - displays one track per row"},
    {.feature = Feature::DetailView, .name = "DetailView", .box = Toolbox,
     .tooltip = "Detail View - More info and tools inc. Report Writer", .icon = "document-properties",
     .drawing = documentProperties,
     .menuText = "Detail View - more info and tools"},
    {.feature = Feature::SetFilter, .name = "SetFilter", .icon = "edit-find", .drawing = magnifier,
     .menuText = "Set Filter to current genre or other criteria"},
    {.feature = Feature::CancelFilter, .name = "CancelFilter", .icon = "edit-clear", .drawing = clear,
     .menuText = "Cancel Filter"},
    {.feature = Feature::Exit, .name = "Exit", .icon = "application-exit", .drawing = exitDoor,
     .menuText = "Exit Program"},
};

}  // namespace

std::span<const FeatureControlDesign> featureControlDesigns() { return kDesigns; }

QIcon featureIcon(const FeatureControlDesign& design)
{
    return design.icon ? common::ui::themedIcon(design.icon, design.drawing) : QIcon();
}

const char* unavailableReason(Feature feature)
{
    switch (feature) {
    case Feature::Modify:
    case Feature::Delete:
    case Feature::Playlist:
        return "the collection has no albums yet: add one with Add CD or Add Other";
    case Feature::AddCd:
        return "the CD drive cannot be read: the CD access library is missing";
    case Feature::CancelFilter:
        return "no filter is set";
    case Feature::TellFriend:
    case Feature::ReportBug:
        return "shown while the window is maximized";
    default:
        return nullptr;
    }
}

}  // namespace app::ui
