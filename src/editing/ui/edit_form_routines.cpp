// TMngRecF: filling and reading the form, activation, OK and the close step.
#include <QComboBox>
#include <QLabel>
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
#include "editing/multi_artist.h"
#include "editing/ui/edit_form.h"
#include "editing/ui/track_grid.h"
#include "xbase/field.h"

namespace editing::ui {
namespace {

constexpr unsigned char kLastRevisionChar = 126;
constexpr char kHighRevisionChar = '~';
constexpr int kTotalWidth = 3;
constexpr char kTimeHeader[] = "Time";
constexpr std::string_view kLossyText = "Some characters cannot be stored in the Collection; they are saved as \"?\".";

QString viewOf(std::string_view text) { return common::fromAnsi(text); }

// Notes are kept with CR LF line ends; the memo shows plain line ends.
QString notesForMemo(const std::string& notes) { return common::fromAnsi(notes).replace("\r\n", "\n"); }

QString notesOfMemo(const QPlainTextEdit* memo) { return memo->toPlainText().replace("\n", "\r\n"); }

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

void TMngRecF::load(const AlbumFormData& data)
{
    setWindowTitle(viewOf(data.caption.empty() ? std::string(kDesignCaption) : data.caption));
    mode_ = data.mode;
    albumId_ = data.albumId;
    source_ = data.source;
    refreshLists();
    editArtist_->setText(viewOf(data.artist));
    editTitle_->setText(viewOf(data.album));
    editGenre_->setEditText(viewOf(data.genre));
    editYear_->setText(viewOf(data.year));
    editMedia_->setEditText(viewOf(data.media));
    editLabel_->setText(viewOf(data.label));
    editIndex_->setText(viewOf(data.index));
    memo1_->setPlainText(notesForMemo(data.notes));
    revLabel_->setText(viewOf(data.revision));
    grid_->setTracks(data.tracks);
    detectMultiArtist();
    checkMedia();
    refreshNotesSummary();
    updateGrid();
}

AlbumFormData TMngRecF::contents(bool* lossy) const
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
    data.artist = ansi(editArtist_->text());
    data.album = ansi(editTitle_->text());
    data.genre = ansi(editGenre_->currentText());
    data.year = ansi(editYear_->text());
    data.media = ansi(editMedia_->currentText());
    data.label = ansi(editLabel_->text());
    data.index = ansi(editIndex_->text());
    data.notes = ansi(notesOfMemo(memo1_));
    data.revision = ansi(revLabel_->text());
    data.source = source_;
    data.tracks = grid_->tracks(&lost);
    if (lossy)
        *lossy = lost;
    return data;
}

bool TMngRecF::showModal()
{
    exec();
    return editSaved_;
}

bool TMngRecF::modifyCurrentAlbum()
{
    if (!catalogue_)
        return false;
    load(loadCurrentAlbum(*catalogue_, state_.lookup.runningSeconds));
    return showModal();
}

void TMngRecF::showEvent(QShowEvent* event)
{
    activate();
    QDialog::showEvent(event);
    refreshNotesSummary();
    updateGrid();
}

// Each time the form is shown.
void TMngRecF::activate()
{
    editSaved_ = false;
    const std::string rev = common::toAnsi(revLabel_->text());
    if (!rev.empty() && static_cast<unsigned char>(rev[0]) > kLastRevisionChar)
        revLabel_->setText(QString(QChar(kHighRevisionChar)));
    const long seconds = state_.lookup.runningSeconds;
    runningLabel_->setVisible(seconds > 0);
    runningLabel_->setText(seconds > 0 ? viewOf(catalogue::timeText(seconds, kTotalWidth)) : QString());
    editArtist_->setMaxLength(fieldWidth("Artist"));
    editTitle_->setMaxLength(fieldWidth("Album"));
    editLabel_->setMaxLength(fieldWidth("Label"));
    editIndex_->setMaxLength(fieldWidth("IX"));
    refreshLists();
    editArtist_->setFocus();
    detectMultiArtist();
    updateGrid();
    checkMedia();
    refreshNotesSummary();
}

// The genre and media lists as start-up (and saved genres) left them.
void TMngRecF::refreshLists()
{
    setItems(editGenre_, state_.genres);
    setItems(editMedia_, state_.media);
}

void TMngRecF::detectMultiArtist()
{
    various_ = isVarious(common::toAnsi(editArtist_->text()));
    grid_->setTitleHeader(viewOf(titleHeader(various_)));
    updateTools();
}

void TMngRecF::checkMedia() { updateTools(); }

void TMngRecF::refreshNotesSummary()
{
    const std::string notes = common::toAnsi(notesOfMemo(memo1_));
    speedButton1_->setText(QString::number(notesLineCount(notes)));
    editNotes_->setText(viewOf(firstNotesLine(notes)));
}

void TMngRecF::updateGrid() { grid_->setVisible(grid_->rowCount() > 0); }

void TMngRecF::runTool(Tool tool)
{
    const auto found = tools_.find(tool);
    if (found == tools_.end())
        return;
    const std::function<void()> handler = found->second;
    common::runAction(prompter_, handler);
    refreshNotesSummary();
    detectMultiArtist();
    if (tool == Tool::Notes) {
        if (grid_->rowCount() > 0)
            grid_->setFocus();
        else
            editArtist_->setFocus();
    }
}

void TMngRecF::okClicked()
{
    if (!catalogue_)
        return;
    grid_->commitEdit();
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

void TMngRecF::done(int result)
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
    grid_->setTimeHeader(kTimeHeader);
    coverMemo_->hide();
}

}  // namespace editing::ui
