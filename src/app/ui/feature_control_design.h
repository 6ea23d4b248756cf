#pragma once

#include <span>

#include <QIcon>

#include "app/ui/feature.h"
#include "common/ui/drawn_icon_engine.h"

namespace app::ui {

// The box of the main window a feature's button sits in.
enum class FeatureBox { None, ManageCollection, Toolbox };

// How a feature shows in the main window's boxes and popup menu.
struct FeatureControlDesign {
    Feature feature;
    // The controls' objectNames: name + "Button" and name + "Item".
    const char* name;
    FeatureBox box = FeatureBox::None;
    const char* caption = nullptr;  // a Manage Collection button's text
    const char* tooltip = nullptr;
    // The picture of its Toolbox button and menu entry: the icon theme's
    // name for the action, and our drawing for a theme without it.
    const char* icon = nullptr;
    common::ui::IconDrawing drawing = nullptr;
    const char* menuText = nullptr;  // null: not in the popup menu
};

// In the order the boxes and the menu show them.
std::span<const FeatureControlDesign> featureControlDesigns();

// The design's picture; null when it has none.
QIcon featureIcon(const FeatureControlDesign& design);

// Why the window holds a feature's controls disabled although the feature is
// there (no album yet, no filter set, ...), for their tooltips; null for a
// feature the window never holds back.
const char* unavailableReason(Feature feature);
// The natural-order button's reason: it is disabled while that order is on.
inline constexpr char kInNaturalOrderReason[] = "the albums are already shown in the order entered";

}  // namespace app::ui
