#pragma once

#include <functional>
#include <string_view>

#include <QDialog>

#include "catalogue/catalogue.h"

namespace editing::ui {

// "Vinora - Time and tracks used so far on target Media": per label of the
// catalogue, the time and the tracks already put on that medium, least
// used first; labels with estimated times in red. Made for one opening.
class MediaUsageDialog : public QDialog {
    Q_OBJECT
public:
    // Sums the catalogue up at once. `openPage` opens a help page. Throws
    // xbase::XbaseError when a table cannot be read.
    MediaUsageDialog(catalogue::Catalogue& catalogue, std::function<void(std::string_view page)> openPage,
                     QWidget* parent = nullptr);
};

}  // namespace editing::ui
