#include "app/ui/tool_box.h"

#include <optional>

#include <QGridLayout>
#include <QStyle>
#include <QToolButton>

namespace app::ui {
namespace {

struct ToolDef {
    std::optional<Feature> feature;
    const char* objectName;
    const char* tooltip;
    QStyle::StandardPixmap icon;
};

const ToolDef kTools[] = {
    {Feature::HomePage, "HomeButton", "Visit our Home Page", QStyle::SP_DirHomeIcon},
    {std::nullopt, "NaturalButton", "Show albums in order entered", QStyle::SP_FileDialogListView},
    {Feature::FindCd, "FindCDButton", "Make CD in drive the current album", QStyle::SP_DriveCDIcon},
    {Feature::WebPage, "URLspeed", "Go to website or document for this artist or album", QStyle::SP_DriveNetIcon},
    {Feature::AlbumCover, "ExitSpeed", "Display Album Cover", QStyle::SP_DesktopIcon},
    {Feature::Options, "ToolButton", "Properties/Options", QStyle::SP_FileDialogDetailedView},
    {std::nullopt, "SpeedButton1", "Tip of the Day", QStyle::SP_MessageBoxInformation},
    {std::nullopt, "HelpSpeed", "Go to Help Page", QStyle::SP_DialogHelpButton},
    {Feature::TracksView, "TrackView", "Tracks View - one track per row", QStyle::SP_FileDialogContentsView},
    {Feature::DetailView, "ClipSpeed", "Detail View - More info and tools inc. Report Writer",
     QStyle::SP_FileDialogInfoView},
};
constexpr int kColumns = 5;

}  // namespace

ToolBox::ToolBox(QWidget* parent) : QGroupBox(" Toolbox ", parent)
{
    setObjectName("ToolBox");
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    int i = 0;
    for (const ToolDef& def : kTools) {
        auto* button = new QToolButton(this);
        button->setObjectName(def.objectName);
        button->setToolTip(def.tooltip);
        button->setIcon(style()->standardIcon(def.icon));
        button->setAutoRaise(false);
        grid->addWidget(button, i / kColumns, i % kColumns);
        if (def.feature)
            featureButtons_.emplace_back(*def.feature, button);
        ++i;
    }
}

QToolButton* ToolBox::button(const char* objectName) const { return findChild<QToolButton*>(objectName); }

}  // namespace app::ui
