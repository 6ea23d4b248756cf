#pragma once

#include <utility>
#include <vector>

#include <QGroupBox>

#include "app/ui/feature_control_design.h"

class QAbstractButton;

namespace app::ui {

// One of the main window's boxes of feature buttons, laid out from the
// feature control designs: " Manage Collection" (six captioned buttons) or
// " Toolbox " (ten picture buttons).
class FeatureButtonBox : public QGroupBox {
    Q_OBJECT
public:
    // Requires: `box` is not FeatureBox::None.
    explicit FeatureButtonBox(FeatureBox box, QWidget* parent = nullptr);

    const std::vector<std::pair<Feature, QAbstractButton*>>& buttons() const { return buttons_; }
    // The button of `feature`; null when it is not in this box.
    QAbstractButton* button(Feature feature) const;

private:
    std::vector<std::pair<Feature, QAbstractButton*>> buttons_;
};

}  // namespace app::ui
