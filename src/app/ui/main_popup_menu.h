#pragma once

#include <utility>
#include <vector>

#include <QMenu>

#include "app/ui/feature.h"

namespace app::ui {

// The popup menu of the main window: 13 entries. Ten start features; the
// natural order, the tip of the day, help and exit are the window's own
// (found by object name).
class MainPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit MainPopupMenu(QWidget* parent = nullptr);
    const std::vector<std::pair<Feature, QAction*>>& featureActions() const { return featureActions_; }
    QAction* entry(const char* objectName) const;

private:
    std::vector<std::pair<Feature, QAction*>> featureActions_;
};

}  // namespace app::ui
