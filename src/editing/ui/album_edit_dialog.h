#pragma once

#include <functional>
#include <map>
#include <string_view>

#include <QDialog>
#include <QString>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/album_form_data.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace editing::ui {

class TrackGrid;

// The album edit form, the one window through which albums enter the
// catalogue or change. Made once and reused: an opener fills it (load()),
// sets its mode and caption and shows it modally; OK validates and saves
// through AlbumEditFlow, Cancel writes nothing, and either way the close
// step puts the track views on the current album. The toolbox tools are
// built elsewhere and registered with setTool(); until then their buttons
// are disabled and say so in their tooltips.
class AlbumEditDialog : public QDialog {
    Q_OBJECT
public:
    enum class Tool {
        Notes,  // its button, the notes line count, entering the notes line, the notes headings
        CoverArt,
        MaskMaker,     // only for the media code "LD"
        UpdateTracks,  // only in Modify
        Flip,          // only for multi-artist albums
    };

    AlbumEditDialog(common::ProgramState& state, common::Prompter& prompter, QWidget* parent = nullptr);
    ~AlbumEditDialog() override;

    void setCatalogue(catalogue::Catalogue* catalogue) { catalogue_ = catalogue; }
    // Opens a help page ("CDhelp1.html"): the main window's routine.
    void setPageOpener(std::function<void(std::string_view)> open) { openPage_ = std::move(open); }
    // A tool's handler; its controls are enabled from now on as far as
    // their own rule allows. After a tool runs, the notes summary and the
    // multi-artist detection run again.
    void setTool(Tool tool, std::function<void()> handler);

    // The opener's side: fills every control, the caption and the grid.
    void load(const AlbumFormData& data);
    // Replaces the notes (Windows-1252, CR LF), leaving every other control
    // as the user left it.
    void setNotes(const std::string& notes);
    // The tip that a picture downloaded by hand goes in through the notes
    // editor; it stays until the form closes.
    void showCoverTip();
    // What the controls hold now. `lossy`, when given, is set to whether
    // some text had characters Windows-1252 cannot hold (they became "?").
    AlbumFormData contents(bool* lossy = nullptr) const;
    // EditSaved: whether the last showing ended with a saved album.
    bool editSaved() const { return editSaved_; }
    // Shows the form modally as filled; returns EditSaved.
    bool showModal();
    // Whether the artist is selected when the form shows, so that typing
    // replaces it (an artist an import put there for the user to change).
    void selectArtistOnShow(bool select) { selectArtist_ = select; }
    // The main window's Modify: the current album in EditMode::Modify,
    // shown modally. Returns EditSaved. Throws xbase::XbaseError when the
    // album cannot be read.
    bool modifyCurrentAlbum();

    // Cancel, OK and closing the window all end here: the close step.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildMedia();
    void buildToolbox();
    void buildButtons();
    void connectControls();
    void activate();
    void saveAndClose();
    void detectMultiArtist();
    void refreshNotesSummary();
    void showGridWhenItHasTracks();
    void updateTools();
    void runTool(Tool tool);
    void addTool(Tool tool, QAbstractButton* button);
    void refreshLists();

    common::ProgramState& state_;
    common::Prompter& prompter_;
    catalogue::Catalogue* catalogue_ = nullptr;
    std::function<void(std::string_view)> openPage_;
    std::map<Tool, std::function<void()>> tools_;
    std::multimap<Tool, std::pair<QAbstractButton*, QString>> toolButtons_;  // with their own tooltips
    lookup::EditMode mode_ = lookup::EditMode::AddOther;
    std::string albumId_;
    char source_ = catalogue::source::kOnlineDatabase;
    std::string notes_;  // Windows-1252, CR LF line ends
    std::string revision_ = "0";
    bool editSaved_ = false;
    bool selectArtist_ = false;
    bool various_ = false;

    QLineEdit* artistEdit_;
    QLineEdit* albumEdit_;
    QComboBox* genreBox_;
    QLineEdit* yearEdit_;
    QLineEdit* notesFirstLine_;
    QToolButton* notesLineCount_;
    QLabel* linesLabel_;
    QLabel* notesHeading_;
    QLabel* notesOptionalLabel_;
    QComboBox* mediaBox_;
    QLabel* mediaLabelHeading_;
    QLineEdit* mediaLabelEdit_;
    QLineEdit* mediaIndexEdit_;
    TrackGrid* trackGrid_;
    QLineEdit* runningTime_;
    QAbstractButton* flipButton_;
    QAbstractButton* updateTracksButton_;
    QAbstractButton* maskMakerButton_;
    QPlainTextEdit* coverTip_;
    QPlainTextEdit* flipTip_;
};

}  // namespace editing::ui
