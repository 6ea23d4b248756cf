#pragma once

#include <optional>
#include <string>

#include <QDialog>

#include "common/prompter.h"
#include "search/album_filter.h"

namespace search::ui {

class HistoryBox;

// " Vinora - Filter Albums Table": the expression box with its history
// (albums.ini), a button that clears the text, one that removes the text
// from the history, OK and Cancel. Opens with the history loaded and
// genre="..." of the current album proposed; OK applies the filter's rules
// and closes, unless the text was invalid: it then stays for correcting.
class FilterDialog : public QDialog {
    Q_OBJECT
public:
    // Throws xbase::XbaseError when the history file cannot be read.
    FilterDialog(AlbumFilter& filter, common::Prompter& prompter, const std::string& programDir,
                QWidget* parent = nullptr);

    // The rules' answer to the last OK; nothing before one.
    std::optional<AlbumFilter::Outcome> outcome() const { return outcome_; }

private:
    void applyFilter();

    AlbumFilter& filter_;
    common::Prompter& prompter_;
    HistoryBox* box_;
    std::optional<AlbumFilter::Outcome> outcome_;
};

}  // namespace search::ui
