#include "app/ui/feature_button_box.h"

#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>

namespace app::ui {
namespace {

constexpr int kManageColumns = 2;
constexpr int kToolColumns = 5;

}  // namespace

FeatureButtonBox::FeatureButtonBox(FeatureBox box, QWidget* parent) : QGroupBox(parent)
{
    const bool tools = box == FeatureBox::Toolbox;
    setTitle(tools ? " Toolbox " : " Manage Collection");
    setObjectName(tools ? "Toolbox" : "ManageCollectionBox");
    auto* grid = new QGridLayout(this);
    if (tools)
        grid->setSpacing(2);
    const int columns = tools ? kToolColumns : kManageColumns;
    for (const FeatureControlDesign& design : featureControlDesigns()) {
        if (design.box != box)
            continue;
        QAbstractButton* button = nullptr;
        if (tools) {
            auto* tool = new QToolButton(this);
            tool->setIcon(featureIcon(design));
            button = tool;
        } else {
            button = new QPushButton(design.caption, this);
        }
        button->setObjectName(QString(design.name) + "Button");
        button->setToolTip(design.tooltip);
        const int at = static_cast<int>(buttons_.size());
        grid->addWidget(button, at / columns, at % columns);
        buttons_.emplace_back(design.feature, button);
    }
}

QAbstractButton* FeatureButtonBox::button(Feature feature) const
{
    for (const auto& [f, button] : buttons_)
        if (f == feature)
            return button;
    return nullptr;
}

}  // namespace app::ui
