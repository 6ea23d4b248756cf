// AlbumEditDialog: filling and reading the form, activation, OK and the close step.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "catalogue/catalogue_schema.h"
#include "catalogue/display_text.h"
#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/trim_and_case.h"
#include "editing/album_edit_flow.h"
#include "editing/album_form_loader.h"
#include "editing/edit_form_texts.h"
#include "editing/genre_choices.h"
#include "editing/multi_artist.h"
#include "editing/ui/album_edit_dialog.h"
#include "editing/ui/track_grid.h"
#include "xbase/field.h"
#include "xbase/xbase_error.h"

namespace editing::ui {
namespace {

constexpr unsigned char kLastRevisionChar = 126;
constexpr char kHighRevisionChar = '~';
constexpr int kTotalWidth = 3;
constexpr char kTimeHeader[] = "Time";
constexpr std::string_view kLossyText = "Some characters cannot be stored in the Collection; they are saved as \"?\".";

QString viewOf(std::string_view text) { return common::fromAnsi(text); }

int fieldWidth(std::string_view field)
{
    for (const xbase::FieldSpec& def : xbase::parseCreationList(catalogue::kAlbums.creationList))
        if (common::equalsNoCase(def.name, field))
            return def.length;
    return 0;
}

void setItems(QComboBox* box, const std::vector<std::string>& items)
{
    const QString text = box->currentText();
    QStringList list;
    for (const std::string& item : items)
        list << common::fromAnsi(item);
    if (box->count() == list.size()) {
        bool same = true;
        for (int i = 0; i < list.size() && same; ++i)
            same = box->itemText(i) == list[i];
        if (same)
            return;
    }
    box->clear();
    box->addItems(list);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

}  // namespace

void AlbumEditDialog::load(const AlbumFormData& data)
{
    setWindowTitle(viewOf(data.caption.empty() ? std::string(kDesignCaption) : data.caption));
    mode_ = data.mode;
    albumId_ = data.albumId;
    source_ = data.source;
    refreshLists();
    artistEdit_->setText(viewOf(data.artist));
    albumEdit_->setText(viewOf(data.album));
    genreBox_->setEditText(viewOf(data.genre));
    yearEdit_->setText(viewOf(data.year));
    mediaBox_->setEditText(viewOf(data.media));
    mediaLabelEdit_->setText(viewOf(data.label));
    mediaIndexEdit_->setText(viewOf(data.index));
    notes_ = data.notes;
    revision_ = data.revision;
    trackGrid_->setTracks(data.tracks);
    detectMultiArtist();
    refreshNotesSummary();
    showGridWhenItHasTracks();
}

AlbumFormData AlbumEditDialog::contents(bool* lossy) const
{
    bool lost = false;
    const auto ansi = [&lost](const QString& text) {
        bool cut = false;
        std::string converted = common::toAnsi(text, &cut);
        lost = lost || cut;
        return converted;
    };
    AlbumFormData data;
    data.mode = mode_;
    data.albumId = albumId_;
    data.caption = ansi(windowTitle());
    data.artist = ansi(artistEdit_->text());
    data.album = ansi(albumEdit_->text());
    data.genre = ansi(genreBox_->currentText());
    data.year = ansi(yearEdit_->text());
    data.media = ansi(mediaBox_->currentText());
    data.label = ansi(mediaLabelEdit_->text());
    data.index = ansi(mediaIndexEdit_->text());
    data.notes = notes_;
    data.revision = revision_;
    data.source = source_;
    data.tracks = trackGrid_->tracks(&lost);
    if (lossy)
        *lossy = lost;
    return data;
}

bool AlbumEditDialog::showModal()
{
    exec();
    return editSaved_;
}

bool AlbumEditDialog::modifyCurrentAlbum()
{
    if (!catalogue_)
        return false;
    load(loadCurrentAlbum(*catalogue_, state_.lookup.runningSeconds));
    return showModal();
}

void AlbumEditDialog::showEvent(QShowEvent* event)
{
    activate();
    QDialog::showEvent(event);
    refreshNotesSummary();
    showGridWhenItHasTracks();
}

// Each time the form is shown.
void AlbumEditDialog::activate()
{
    editSaved_ = false;
    if (!revision_.empty() && static_cast<unsigned char>(revision_[0]) > kLastRevisionChar)
        revision_ = std::string(1, kHighRevisionChar);
    const long seconds = state_.lookup.runningSeconds;
    runningTime_->setVisible(seconds > 0);
    runningTime_->setText(seconds > 0 ? viewOf(catalogue::timeText(seconds, kTotalWidth)) : QString());
    artistEdit_->setMaxLength(fieldWidth("Artist"));
    albumEdit_->setMaxLength(fieldWidth("Album"));
    mediaLabelEdit_->setMaxLength(fieldWidth("Label"));
    mediaIndexEdit_->setMaxLength(fieldWidth("IX"));
    refreshLists();
    artistEdit_->setFocus();
    if (selectArtist_)
        artistEdit_->selectAll();
    detectMultiArtist();
    showGridWhenItHasTracks();
    refreshNotesSummary();
}

// The genre and media lists as start-up (and saved genres) left them, the
// genres the collection already uses after the settings' ones.
void AlbumEditDialog::refreshLists()
{
    std::vector<std::string> genres = state_.genres;
    if (catalogue_) {
        try {
            genres = genreChoices(state_.genres, *catalogue_);
        } catch (const xbase::XbaseError&) {
            // A damaged index is reported by the grids over it; the form
            // still offers the settings' genres.
        }
    }
    setItems(genreBox_, genres);
    setItems(mediaBox_, state_.media);
}

void AlbumEditDialog::detectMultiArtist()
{
    various_ = isVarious(common::toAnsi(artistEdit_->text()));
    trackGrid_->setTitleHeader(viewOf(titleHeader(various_)));
    updateTools();
}

void AlbumEditDialog::refreshNotesSummary()
{
    notesLineCount_->setText(QString::number(notesLineCount(notes_)));
    notesFirstLine_->setText(viewOf(firstNotesLine(notes_)));
}

void AlbumEditDialog::showGridWhenItHasTracks() { trackGrid_->setVisible(trackGrid_->rowCount() > 0); }

void AlbumEditDialog::setNotes(const std::string& notes)
{
    notes_ = notes;
    refreshNotesSummary();
}

void AlbumEditDialog::showCoverTip() { coverTip_->show(); }

void AlbumEditDialog::runTool(Tool tool)
{
    const auto found = tools_.find(tool);
    if (found == tools_.end())
        return;
    const std::function<void()> handler = found->second;
    common::runAction(prompter_, handler);
    refreshNotesSummary();
    detectMultiArtist();
    if (tool == Tool::Notes) {
        if (trackGrid_->rowCount() > 0)
            trackGrid_->setFocus();
        else
            artistEdit_->setFocus();
    }
}

void AlbumEditDialog::saveAndClose()
{
    if (!catalogue_)
        return;
    trackGrid_->commitEdit();
    detectMultiArtist();
    AlbumEditFlow flow(*catalogue_, state_, prompter_);
    bool saved = false;
    common::runAction(prompter_, [&] {
        bool lossy = false;
        const AlbumFormData data = contents(&lossy);
        if (lossy)
            prompter_.info(std::string(kLossyText));
        saved = flow.ok(data);
    });
    if (!saved)
        return;
    editSaved_ = true;
    accept();
}

void AlbumEditDialog::done(int result)
{
    if (result != Accepted)
        editSaved_ = false;
    QDialog::done(result);
    if (catalogue_) {
        AlbumEditFlow flow(*catalogue_, state_, prompter_);
        common::runAction(prompter_, [&] { flow.close(); });
    } else {
        state_.lookup.runningSeconds = 0;
    }
    trackGrid_->setTimeHeader(kTimeHeader);
    coverTip_->hide();
}

}  // namespace editing::ui
