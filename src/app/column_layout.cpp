#include "app/column_layout.h"

#include <algorithm>

namespace app {

int ColumnLayout::apply(bool maximized, int clientWidth)
{
    if (!maximized)
        return kDesignWidths[0];
    ++maximizedLayouts_;
    // Integer division rounds toward zero, also for a grid narrower than
    // its design.
    return std::max(kNarrowest, kDesignWidths[0] + (clientWidth - kTotalDesignWidth) / 2);
}

}  // namespace app
