#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QLabel;
class QListWidget;

namespace search::ui {

// "Multiple Matches found - Select One or Cancel": one candidate a line
// under the headings "Genre (Category)" and "Artist / Album", or releases
// found on MusicBrainz under a heading of their own. Made once with the
// main window and shown again for every choice.
class MultipleMatchesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNoChoice = -1;
    enum class Candidates { CddbMatches, MusicBrainzReleases };

    explicit MultipleMatchesDialog(QWidget& mainWindow);

    // Shows `lines` (Windows-1252; none selected) modally. OK returns the
    // selected line's index (kNoChoice with none selected); Cancel returns
    // kNoChoice. An empty list is shown too.
    int choose(const std::vector<std::string>& lines, Candidates candidates = Candidates::CddbMatches);

private:
    QLabel* genreHeading_;
    QLabel* albumHeading_;
    QListWidget* candidates_;
};

}  // namespace search::ui
