#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include <QDialog>

#include "editing/track_chooser.h"
#include "lookup/album_entry.h"

class QListWidget;

namespace editing::ui {

// "Select track for extended information": the list of the edit form's
// track rows; the rules are TrackChooser's.
class TrackChooserDialog : public QDialog {
    Q_OBJECT
public:
    // `chooser` must outlive this object; `openPage` opens a help page.
    TrackChooserDialog(TrackChooser& chooser, std::function<void(std::string_view)> openPage,
                       QWidget* parent = nullptr);

    // Shows the rows modally; the chosen row's index (0 for the first), or
    // nothing when cancelled or there are no rows.
    std::optional<std::size_t> choose(const std::vector<lookup::TrackRow>& rows);

private:
    void confirm();

    TrackChooser& chooser_;
    std::function<void(std::string_view)> openPage_;
    QListWidget* trackList_;
    std::optional<std::size_t> chosen_;
};

}  // namespace editing::ui
