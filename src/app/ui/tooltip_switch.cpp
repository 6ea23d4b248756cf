#include "app/ui/tooltip_switch.h"

#include <QCoreApplication>
#include <QEvent>

namespace app::ui {

TooltipSwitch::TooltipSwitch(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TooltipSwitch::~TooltipSwitch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool TooltipSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (!shown_ && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace app::ui
