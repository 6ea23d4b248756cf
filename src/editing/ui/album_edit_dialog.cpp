// AlbumEditDialog: the controls, their captions and hints, and their wiring.
#include "editing/ui/album_edit_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/not_available_yet.h"
#include "editing/edit_form_texts.h"
#include "editing/ui/track_grid.h"

namespace editing::ui {
namespace {

constexpr int kGenreRows = 20;
constexpr int kMediaRows = 15;
constexpr int kYearLength = 4;
constexpr int kWidth = 860;
constexpr int kHeight = 640;

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

template <class W>
W* named(W* widget, const char* name, const char* hint = nullptr)
{
    widget->setObjectName(name);
    if (hint)
        widget->setToolTip(hint);
    return widget;
}

QPlainTextEdit* hiddenTip(const char* name, const QString& text, QWidget* parent)
{
    auto* tip = named(new QPlainTextEdit(text, parent), name);
    tip->setReadOnly(true);
    // As high as its lines: shown, it must not push the tool buttons apart.
    const int margins = 2 * (tip->frameWidth() + static_cast<int>(tip->document()->documentMargin()) + 1);
    tip->setFixedHeight(tip->fontMetrics().lineSpacing() * static_cast<int>(text.count('\n') + 1) + margins);
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, tip->fontMetrics().horizontalAdvance(line));
    tip->setFixedWidth(widest + margins);
    tip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tip->hide();
    return tip;
}

QPushButton* plainButton(const char* name, const char* caption, const char* hint, QWidget* parent)
{
    auto* button = named(new QPushButton(caption, parent), name, hint);
    // Enter in a field must not press a button.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

AlbumEditDialog::AlbumEditDialog(common::ProgramState& state, common::Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter)
{
    setObjectName("AlbumEditDialog");
    setWindowTitle(QString::fromLatin1(kDesignCaption.data(), static_cast<qsizetype>(kDesignCaption.size())));
    resize(kWidth, kHeight);
    new QVBoxLayout(this);
    buildHeader();
    buildMedia();
    buildToolbox();
    buildButtons();
    connectControls();
    updateTools();
}

// Still shown when the program ends from inside it (a signal quits every
// event loop): hidden here, the focus leaves the artist field while the
// handler that answers that can still run.
AlbumEditDialog::~AlbumEditDialog() { hide(); }

void AlbumEditDialog::buildHeader()
{
    auto* header = new QGridLayout;
    artistEdit_ = named(new QLineEdit(this), "ArtistEdit", "enter Various for multi-artist albums");
    albumEdit_ = named(new QLineEdit(this), "AlbumEdit", "enter Album title");
    genreBox_ = named(new QComboBox(this), "GenreBox", "Choose from drop-down list below");
    genreBox_->setEditable(true);
    genreBox_->setInsertPolicy(QComboBox::NoInsert);
    genreBox_->setMaxVisibleItems(kGenreRows);
    yearEdit_ = named(new QLineEdit(this), "YearEdit", "Year published");
    yearEdit_->setMaxLength(kYearLength);
    notesFirstLine_ = named(new QLineEdit(this), "NotesFirstLine");
    notesFirstLine_->setReadOnly(true);
    notesLineCount_ = named(new QToolButton(this), "NotesLineCount", "Lines in Notes field, click to View/Edit all");
    notesLineCount_->setText("0");
    notesLineCount_->setAutoRaise(true);
    linesLabel_ = namedLabel("LinesLabel", "Lines", this);
    notesHeading_ = namedLabel("NotesHeading", "Notes & Extended Data", this);
    notesOptionalLabel_ = namedLabel("NotesOptionalLabel", "(optional, no limit on number of characters)", this);

    header->addWidget(namedLabel("ArtistLabel", "Artist", this), 0, 0);
    header->addWidget(artistEdit_, 0, 1, 1, 4);
    header->addWidget(namedLabel("AlbumLabel", "Album", this), 1, 0);
    header->addWidget(albumEdit_, 1, 1, 1, 4);
    header->addWidget(namedLabel("GenreLabel", "Genre (Category)", this), 2, 0);
    header->addWidget(genreBox_, 2, 1);
    header->addWidget(namedLabel("YearLabel", "Year", this), 2, 2);
    header->addWidget(yearEdit_, 2, 3);
    header->addWidget(namedLabel("YearOptionalLabel", "(optional)", this), 2, 4);
    auto* notesLabels = new QHBoxLayout;
    notesLabels->addWidget(notesHeading_);
    notesLabels->addWidget(notesOptionalLabel_);
    notesLabels->addStretch();
    header->addLayout(notesLabels, 3, 1, 1, 3);
    header->addWidget(linesLabel_, 3, 4, Qt::AlignHCenter);
    header->addWidget(notesFirstLine_, 4, 1, 1, 3);
    header->addWidget(notesLineCount_, 4, 4, Qt::AlignHCenter);
    header->setColumnStretch(1, 3);
    header->setColumnStretch(3, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(header);
}

void AlbumEditDialog::buildMedia()
{
    auto* mediaGroup =
        named(new QGroupBox("Complete these OPTIONAL entries to keep track of where you copied/ripped tracks from "
                            "this album",
                            this),
              "MediaGroup");
    mediaBox_ = named(new QComboBox(mediaGroup), "MediaBox",
                      "Select Media from the drop-down list below for other than CD or for copied/ripped tracks");
    mediaBox_->setEditable(true);
    mediaBox_->setInsertPolicy(QComboBox::NoInsert);
    mediaBox_->setMaxVisibleItems(kMediaRows);
    mediaLabelHeading_ =
        namedLabel("MediaLabelHeading", "Media Label or Directory & File Name Mask for copied tracks", mediaGroup);
    mediaLabelEdit_ = named(new QLineEdit(mediaGroup), "MediaLabelEdit");
    mediaIndexEdit_ = named(new QLineEdit(mediaGroup), "MediaIndexEdit", "Track or Time on Media");
    auto* indexLabel = namedLabel("IndexLabel", "Index", mediaGroup);
    indexLabel->setToolTip("Starting track or time on Media");

    auto* grid = new QGridLayout(mediaGroup);
    grid->addWidget(namedLabel("MediaFormatLabel", "Media Format", mediaGroup), 0, 0);
    grid->addWidget(mediaLabelHeading_, 0, 1);
    grid->addWidget(indexLabel, 0, 2);
    grid->addWidget(mediaBox_, 1, 0);
    grid->addWidget(mediaLabelEdit_, 1, 1);
    grid->addWidget(mediaIndexEdit_, 1, 2);
    grid->setColumnStretch(1, 1);
    static_cast<QVBoxLayout*>(layout())->addWidget(mediaGroup);
}

void AlbumEditDialog::buildToolbox()
{
    auto* middle = new QHBoxLayout;
    trackGrid_ = named(new TrackGrid(this), "TrackGrid");
    middle->addWidget(trackGrid_, 1);

    auto* toolbox = named(new QGroupBox("         Toolbox          ", this), "Toolbox");
    auto* tools = new QVBoxLayout(toolbox);
    auto* notesButton = plainButton("NotesButton", "Edit Notes", "Add Cover Graphic, Extended Data, etc.", toolbox);
    auto* coverArtButton = plainButton("CoverArtButton", "Get Cover Image", "Download cover art", toolbox);
    coverTip_ = hiddenTip("CoverTip", "TIP: Click Edit Notes \nButton to add Image", toolbox);
    maskMakerButton_ =
        plainButton("MaskMakerButton", "Mask Maker", "Auto-creates Directory+File Mask from files you select", toolbox);
    updateTracksButton_ = plainButton("UpdateTracksButton", "Update Tracks only",
                                      "Fetch updated info from internet for TRACKS only", toolbox);
    flipButton_ = plainButton("FlipButton", "Flip", "Swap or Normalize Artist/TrackTitle", toolbox);
    flipTip_ = hiddenTip("FlipTip",
                         "Above Flp button normalzies\nArtistName / TrackTitle on\nmulti-artist albums to enable\n"
                         " \"One-Stop\" artist search.",
                         toolbox);
    for (QWidget* w : std::initializer_list<QWidget*>{notesButton, coverArtButton, coverTip_, maskMakerButton_,
                                                      updateTracksButton_, flipButton_, flipTip_})
        tools->addWidget(w);
    tools->addStretch();
    // Wide enough for the tips while they hide, so that the track grid keeps
    // its width when one shows.
    const QMargins inside = tools->contentsMargins() + toolbox->contentsMargins();
    toolbox->setMinimumWidth(std::max(coverTip_->maximumWidth(), flipTip_->maximumWidth()) + inside.left() +
                             inside.right());
    middle->addWidget(toolbox);
    static_cast<QVBoxLayout*>(layout())->addLayout(middle, 1);

    addTool(Tool::Notes, notesButton);
    addTool(Tool::Notes, notesLineCount_);
    addTool(Tool::CoverArt, coverArtButton);
    addTool(Tool::MaskMaker, maskMakerButton_);
    addTool(Tool::UpdateTracks, updateTracksButton_);
    addTool(Tool::Flip, flipButton_);
}

void AlbumEditDialog::buildButtons()
{
    auto* bottom = new QHBoxLayout;
    runningTime_ = named(new QLineEdit(this), "RunningTime");
    runningTime_->setReadOnly(true);
    runningTime_->setMaximumWidth(80);
    runningTime_->hide();
    bottom->addWidget(runningTime_);
    bottom->addWidget(namedLabel("PlaylistNote", "Playlist managed via Playlist button on Albums View", this));
    bottom->addStretch();
    auto* buttons = named(new QDialogButtonBox(this), "DialogButtons");
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setObjectName("OKButton");
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    buttons->addButton("Help", QDialogButtonBox::HelpRole)->setObjectName("HelpButton");
    bottom->addWidget(buttons);
    static_cast<QVBoxLayout*>(layout())->addLayout(bottom);
    connect(buttons, &QDialogButtonBox::accepted, this, &AlbumEditDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (openPage_)
            openPage_("CDhelp1.html");
    });
}

void AlbumEditDialog::connectControls()
{
    connect(artistEdit_, &QLineEdit::editingFinished, this, &AlbumEditDialog::detectMultiArtist);
    connect(mediaBox_, &QComboBox::currentTextChanged, this, &AlbumEditDialog::updateTools);
    connect(notesLineCount_, &QToolButton::clicked, this, [this] { runTool(Tool::Notes); });
    for (QWidget* w : std::initializer_list<QWidget*>{notesFirstLine_, linesLabel_, notesHeading_, notesOptionalLabel_})
        w->installEventFilter(this);
}

void AlbumEditDialog::addTool(Tool tool, QAbstractButton* button)
{
    toolButtons_.emplace(tool, std::make_pair(button, button->toolTip()));
    if (button != notesLineCount_)
        connect(button, &QAbstractButton::clicked, this, [this, tool] { runTool(tool); });
}

// Entering the notes line or clicking the notes labels opens the notes
// editor, as its button does.
bool AlbumEditDialog::eventFilter(QObject* watched, QEvent* event)
{
    const bool entered = watched == notesFirstLine_ && event->type() == QEvent::FocusIn;
    const bool clicked = watched != notesFirstLine_ && event->type() == QEvent::MouseButtonRelease;
    if ((entered || clicked) && tools_.count(Tool::Notes))
        runTool(Tool::Notes);
    return QDialog::eventFilter(watched, event);
}

// Enter ends an entry; it never presses OK.
void AlbumEditDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        QDialog::keyPressEvent(event);
}

void AlbumEditDialog::setTool(Tool tool, std::function<void()> handler)
{
    tools_[tool] = std::move(handler);
    updateTools();
}

void AlbumEditDialog::updateTools()
{
    const QString notYet = QString::fromLatin1(common::ui::kNotAvailableYet.data(),
                                               static_cast<qsizetype>(common::ui::kNotAvailableYet.size()));
    for (const auto& [tool, entry] : toolButtons_) {
        const auto& [button, tooltip] = entry;
        const bool there = tools_.count(tool) > 0;
        bool allowed = true;
        QString heldBack;  // why the tool waits, for its tooltip
        if (tool == Tool::MaskMaker) {
            allowed = mediaBox_->currentText().left(2) == "LD";
            heldBack = "for copies on a local drive (media LD) only";
        } else if (tool == Tool::UpdateTracks) {
            allowed = mode_ == lookup::EditMode::Modify;
            heldBack = "only while modifying an album already in the collection";
        } else if (tool == Tool::Flip) {
            allowed = various_;
            heldBack = "only when the artist starts with \"Various\"";
        }
        const QString reason = !there ? notYet : allowed ? QString() : heldBack;
        button->setEnabled(there && allowed);
        button->setToolTip(reason.isEmpty() ? tooltip : tooltip.isEmpty() ? reason : tooltip + " - " + reason);
    }
    flipTip_->setVisible(flipButton_->isEnabled());
    mediaLabelHeading_->setToolTip(maskMakerButton_->isEnabled()
                                       ? "Use \"Make Mask\" button to create Mask, or enter manually"
                                       : "Enter label on backup media");
}

}  // namespace editing::ui
