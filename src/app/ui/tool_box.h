#pragma once

#include <utility>
#include <vector>

#include <QGroupBox>

#include "app/ui/feature.h"

class QToolButton;

namespace app::ui {

// " Toolbox ": ten picture buttons. Seven start features; natural order
// (NaturalButton), the tip of the day (SpeedButton1) and help (HelpSpeed)
// belong to the main window and are found by their names.
class ToolBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ToolBox(QWidget* parent = nullptr);
    const std::vector<std::pair<Feature, QToolButton*>>& featureButtons() const { return featureButtons_; }
    QToolButton* button(const char* objectName) const;

private:
    std::vector<std::pair<Feature, QToolButton*>> featureButtons_;
};

}  // namespace app::ui
