#include "common/ui/themed_icon.h"

namespace common::ui {

QIcon themedIcon(const char* name, IconDrawing fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QIcon(new DrawnIconEngine(fallback)));
}

void lookInAdwaitaWithoutDesktopTheme()
{
    const QString fallback = QIcon::fallbackThemeName();
    if (fallback.isEmpty() || fallback == "hicolor")
        QIcon::setFallbackThemeName("Adwaita");
}

}  // namespace common::ui
