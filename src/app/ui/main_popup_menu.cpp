#include "app/ui/main_popup_menu.h"

#include "app/ui/feature_control_design.h"

namespace app::ui {

MainPopupMenu::MainPopupMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName("MainPopupMenu");
    for (const FeatureControlDesign& design : featureControlDesigns()) {
        if (!design.menuText)
            continue;
        // A separator stands where the filter entries start a column of
        // their own: menus here have one column.
        if (design.feature == Feature::SetFilter)
            addSeparator();
        QAction* action = addAction(design.menuText);
        action->setObjectName(QString(design.name) + "Item");
        entries_.emplace_back(design.feature, action);
    }
}

}  // namespace app::ui
