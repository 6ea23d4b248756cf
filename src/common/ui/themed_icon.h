#pragma once

#include <QIcon>

#include "common/ui/drawn_icon_engine.h"

namespace common::ui {

// The desktop theme's icon called `name` (freedesktop icon naming), else
// `fallback` as we draw it.
QIcon themedIcon(const char* name, IconDrawing fallback);

// Without a desktop environment Qt looks for icons only in hicolor, which
// holds no action icons: look then in Adwaita, as GTK programs do. A
// desktop's own theme and fallback stay first.
void lookInAdwaitaWithoutDesktopTheme();

}  // namespace common::ui
