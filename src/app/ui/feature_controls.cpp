#include "app/ui/feature_controls.h"

#include "app/ui/feature_control_design.h"
#include "common/ui/not_available_yet.h"

namespace app::ui {

QString FeatureControls::withReason(const QString& tooltip, const QString& reason)
{
    return tooltip.isEmpty() ? reason : tooltip + " - " + reason;
}

void FeatureControls::add(Feature feature, QWidget* control) { entries_.push_back({feature, control, nullptr, control->toolTip()}); }

void FeatureControls::add(Feature feature, QAction* control)
{
    entries_.push_back({feature, nullptr, control, control->toolTip()});
}

void FeatureControls::update(const std::function<bool(Feature)>& registered,
                             const std::function<bool(Feature)>& allowed)
{
    const QString notYet = QString::fromLatin1(common::ui::kNotAvailableYet.data(),
                                               static_cast<qsizetype>(common::ui::kNotAvailableYet.size()));
    for (const Entry& e : entries_) {
        const bool there = registered(e.feature);
        const bool enabled = there && allowed(e.feature);
        QString tip = e.tooltip;
        if (!there)
            tip = withReason(e.tooltip, notYet);
        else if (const char* reason = unavailableReason(e.feature); !enabled && reason)
            tip = withReason(e.tooltip, QString::fromLatin1(reason));
        if (e.widget) {
            e.widget->setEnabled(enabled);
            e.widget->setToolTip(tip);
        }
        if (e.action) {
            e.action->setEnabled(enabled);
            e.action->setToolTip(tip);
        }
    }
}

}  // namespace app::ui
