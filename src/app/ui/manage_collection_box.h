#pragma once

#include <utility>
#include <vector>

#include <QGroupBox>

#include "app/ui/feature.h"

class QPushButton;

namespace app::ui {

// " Manage Collection": Add CD, Add Other, Modify, Delete, Playlist,
// Reindex, each starting a feature.
class ManageCollectionBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ManageCollectionBox(QWidget* parent = nullptr);
    const std::vector<std::pair<Feature, QPushButton*>>& buttons() const { return buttons_; }

private:
    std::vector<std::pair<Feature, QPushButton*>> buttons_;
};

}  // namespace app::ui
