#include "app/ui/main_popup_menu.h"

#include <QHelpEvent>
#include <QToolTip>

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
        QAction* action = addAction(featureIcon(design), design.menuText);
        action->setObjectName(QString(design.name) + "Item");
        entries_.emplace_back(design.feature, action);
    }
}

bool MainPopupMenu::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QAction* entry = actionAt(help->pos());
        if (entry && !entry->isEnabled())
            QToolTip::showText(help->globalPos(), entry->toolTip(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QMenu::event(event);
}

}  // namespace app::ui
