#pragma once

#include <functional>
#include <vector>

#include <QAction>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/ui/feature.h"

namespace app::ui {

// The controls that start a feature, kept enabled only while their feature
// has a handler and the window allows it, with a tooltip saying why when
// one cannot act: the feature is not there yet, or the window holds it back
// (unavailableReason).
class FeatureControls {
public:
    // The control's tooltip at this moment is its own.
    void add(Feature feature, QWidget* control);
    void add(Feature feature, QAction* control);

    // Each control enabled when `registered` and `allowed` say so for its
    // feature; the tooltip of one not registered gets
    // common::ui::kNotAvailableYet, of one not allowed its reason.
    void update(const std::function<bool(Feature)>& registered, const std::function<bool(Feature)>& allowed);

    // `tooltip` followed by " - " and `reason`.
    static QString withReason(const QString& tooltip, const QString& reason);

private:
    struct Entry {
        Feature feature;
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        QString tooltip;
    };
    std::vector<Entry> entries_;
};

}  // namespace app::ui
