#include "app/ui/manage_collection_box.h"

#include <QGridLayout>
#include <QPushButton>

namespace app::ui {
namespace {

struct ButtonDef {
    Feature feature;
    const char* objectName;
    const char* text;
    const char* tooltip;
};

constexpr ButtonDef kButtons[] = {
    {Feature::AddCd, "AddCDButton", "Add CD", "Add CD now in CD-ROM drive"},
    {Feature::AddOther, "AddOtherButton", "Add Other", "Add Media not in CD-ROM drive"},
    {Feature::Modify, "ModButton", "Modify", "Edit Current Entry"},
    {Feature::Delete, "DeleteButton", "Delete", "Delete highlighted album and tracks from collection"},
    {Feature::Playlist, "PlayListButton", "Playlist", "Mark Tracks"},
    {Feature::Reindex, "ReindexButton", "Reindex", "File Maintenance"},
};
constexpr int kColumns = 2;

}  // namespace

ManageCollectionBox::ManageCollectionBox(QWidget* parent) : QGroupBox(" Manage Collection", parent)
{
    setObjectName("ManageCollectionBox");
    auto* grid = new QGridLayout(this);
    int i = 0;
    for (const ButtonDef& def : kButtons) {
        auto* button = new QPushButton(def.text, this);
        button->setObjectName(def.objectName);
        button->setToolTip(def.tooltip);
        grid->addWidget(button, i / kColumns, i % kColumns);
        buttons_.emplace_back(def.feature, button);
        ++i;
    }
}

}  // namespace app::ui
