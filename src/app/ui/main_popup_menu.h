#pragma once

#include <utility>
#include <vector>

#include <QMenu>

#include "app/ui/feature.h"

namespace app::ui {

// The popup menu of the main window: an entry for each feature control
// design that has a menu text, thirteen in all. A greyed entry shows its
// tooltip, which says why it cannot act.
class MainPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit MainPopupMenu(QWidget* parent = nullptr);
    const std::vector<std::pair<Feature, QAction*>>& entries() const { return entries_; }

protected:
    // Menus show no tooltips, and a greyed entry never becomes the active
    // one that could: the entry under the mouse is asked instead.
    bool event(QEvent* event) override;

private:
    std::vector<std::pair<Feature, QAction*>> entries_;
};

}  // namespace app::ui
