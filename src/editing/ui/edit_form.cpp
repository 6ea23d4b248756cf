// TMngRecF: the controls, their captions and hints, and their wiring.
#include "editing/ui/edit_form.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
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

QPlainTextEdit* hiddenMemo(const char* name, const QString& text, QWidget* parent)
{
    auto* memo = named(new QPlainTextEdit(text, parent), name);
    memo->setReadOnly(true);
    memo->hide();
    return memo;
}

QPushButton* plainButton(const char* name, const char* caption, const char* hint, QWidget* parent)
{
    auto* button = named(new QPushButton(caption, parent), name, hint);
    // Enter in a field must not press a button.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TMngRecF::TMngRecF(common::ProgramState& state, common::Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter)
{
    setObjectName("MngRecF");
    setWindowTitle(QString::fromLatin1(kDesignCaption.data(), static_cast<qsizetype>(kDesignCaption.size())));
    resize(kWidth, kHeight);
    new QVBoxLayout(this);
    buildHeader();
    buildMedia();
    buildToolbox();
    buildButtons();
    memo1_ = hiddenMemo("Memo1", QString(), this);
    revLabel_ = named(new QLabel("0", this), "RevLabel");
    revLabel_->hide();
    // The Mask Maker's scratch list.
    named(new QListWidget(this), "Memo2")->hide();
    connectControls();
    updateTools();
}

TMngRecF::~TMngRecF() = default;

void TMngRecF::buildHeader()
{
    auto* header = new QGridLayout;
    editArtist_ = named(new QLineEdit(this), "EditArtist", "enter Various for multi-artist albums");
    editTitle_ = named(new QLineEdit(this), "EditTitle", "enter Album title");
    editGenre_ = named(new QComboBox(this), "EditGenre", "Choose from drop-down list below");
    editGenre_->setEditable(true);
    editGenre_->setInsertPolicy(QComboBox::NoInsert);
    editGenre_->setMaxVisibleItems(kGenreRows);
    editYear_ = named(new QLineEdit(this), "EditYear", "Year published");
    editYear_->setMaxLength(kYearLength);
    editNotes_ = named(new QLineEdit(this), "EditNotes");
    editNotes_->setReadOnly(true);
    speedButton1_ = named(new QToolButton(this), "SpeedButton1", "Lines in Notes field, click to View/Edit all");
    speedButton1_->setText("0");
    speedButton1_->setAutoRaise(true);
    linesLabel_ = namedLabel("LinesLabel", "Lines", this);
    label11_ = namedLabel("Label11", "Notes & Extended Data", this);
    label12_ = namedLabel("Label12", "(optional, no limit on number of characters)", this);

    header->addWidget(namedLabel("ArtistLabel", "Artist", this), 0, 0);
    header->addWidget(editArtist_, 0, 1, 1, 4);
    header->addWidget(namedLabel("AlbumLabel", "Album", this), 1, 0);
    header->addWidget(editTitle_, 1, 1, 1, 4);
    header->addWidget(namedLabel("GenreLabel", "Genre (Category)", this), 2, 0);
    header->addWidget(editGenre_, 2, 1);
    header->addWidget(namedLabel("YearLabel", "Year", this), 2, 2);
    header->addWidget(editYear_, 2, 3);
    header->addWidget(namedLabel("YearOptionalLabel", "(optional)", this), 2, 4);
    auto* notesLabels = new QHBoxLayout;
    notesLabels->addWidget(label11_);
    notesLabels->addWidget(label12_);
    notesLabels->addStretch();
    header->addLayout(notesLabels, 3, 1, 1, 3);
    header->addWidget(linesLabel_, 3, 4, Qt::AlignHCenter);
    header->addWidget(editNotes_, 4, 1, 1, 3);
    header->addWidget(speedButton1_, 4, 4, Qt::AlignHCenter);
    header->setColumnStretch(1, 3);
    header->setColumnStretch(3, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(header);
}

void TMngRecF::buildMedia()
{
    auto* groupBox1 =
        named(new QGroupBox("Complete these OPTIONAL entries to keep track of where you copied/ripped tracks from "
                            "this album",
                            this),
              "GroupBox1");
    editMedia_ = named(new QComboBox(groupBox1), "EditMedia",
                       "Select Media from the drop-down list below for other than CD or for copied/ripped tracks");
    editMedia_->setEditable(true);
    editMedia_->setInsertPolicy(QComboBox::NoInsert);
    editMedia_->setMaxVisibleItems(kMediaRows);
    label6_ = namedLabel("Label6", "Media Label or Directory & File Name Mask for copied tracks", groupBox1);
    editLabel_ = named(new QLineEdit(groupBox1), "EditLabel");
    editIndex_ = named(new QLineEdit(groupBox1), "EditIndex", "Track or Time on Media");
    auto* indexLabel = namedLabel("IndexLabel", "Index", groupBox1);
    indexLabel->setToolTip("Starting track or time on Media");

    auto* grid = new QGridLayout(groupBox1);
    grid->addWidget(namedLabel("MediaLabel", "Media Format", groupBox1), 0, 0);
    grid->addWidget(label6_, 0, 1);
    grid->addWidget(indexLabel, 0, 2);
    grid->addWidget(editMedia_, 1, 0);
    grid->addWidget(editLabel_, 1, 1);
    grid->addWidget(editIndex_, 1, 2);
    grid->setColumnStretch(1, 1);
    static_cast<QVBoxLayout*>(layout())->addWidget(groupBox1);
}

void TMngRecF::buildToolbox()
{
    auto* middle = new QHBoxLayout;
    grid_ = named(new TrackGrid(this), "StringGrid1");
    middle->addWidget(grid_, 1);

    auto* toolbox = named(new QGroupBox("         Toolbox          ", this), "GroupBox2");
    auto* tools = new QVBoxLayout(toolbox);
    auto* notesButton = plainButton("NotesButton", "Edit Notes", "Add Cover Graphic, Extended Data, etc.", toolbox);
    auto* getArt = plainButton("GetArt", "Get Cover Image", "Download cover art", toolbox);
    coverMemo_ = hiddenMemo("CoverMemo", "TIP: Click Edit Notes \nButton to add Image", toolbox);
    maskButton_ =
        plainButton("MaskButton", "Mask Maker", "Auto-creates Directory+File Mask from files you select", toolbox);
    trkOnlyButton_ =
        plainButton("TrkOnlyButton", "Update Tracks only", "Fetch updated info from internet for TRACKS only", toolbox);
    flipButton_ = plainButton("FlipButton", "Flip", "Swap or Normalize Artist/TrackTitle", toolbox);
    flipMemo_ = hiddenMemo("FlipMemo",
                           "Above Flp button normalzies\nArtistName / TrackTitle on\nmulti-artist albums to enable\n"
                           " \"One-Stop\" artist search.",
                           toolbox);
    for (QWidget* w : std::initializer_list<QWidget*>{notesButton, getArt, coverMemo_, maskButton_, trkOnlyButton_,
                                                      flipButton_, flipMemo_})
        tools->addWidget(w);
    tools->addStretch();
    middle->addWidget(toolbox);
    static_cast<QVBoxLayout*>(layout())->addLayout(middle, 1);

    addTool(Tool::Notes, notesButton);
    addTool(Tool::Notes, speedButton1_);
    addTool(Tool::CoverArt, getArt);
    addTool(Tool::MaskMaker, maskButton_);
    addTool(Tool::UpdateTracks, trkOnlyButton_);
    addTool(Tool::Flip, flipButton_);
}

void TMngRecF::buildButtons()
{
    auto* bottom = new QHBoxLayout;
    runningLabel_ = named(new QLineEdit(this), "RunningLabel");
    runningLabel_->setReadOnly(true);
    runningLabel_->setMaximumWidth(80);
    runningLabel_->hide();
    bottom->addWidget(runningLabel_);
    bottom->addWidget(namedLabel("Label9", "Playlist managed via Playlist button on Albums View", this));
    bottom->addStretch();
    auto* ok = plainButton("BitBtn1", "OK", nullptr, this);
    auto* cancel = plainButton("BitBtn2", "Cancel", nullptr, this);
    auto* help = plainButton("HelpBtn", "Help", nullptr, this);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    bottom->addWidget(help);
    static_cast<QVBoxLayout*>(layout())->addLayout(bottom);
    connect(ok, &QPushButton::clicked, this, &TMngRecF::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (openPage_)
            openPage_("CDhelp1.html");
    });
}

void TMngRecF::connectControls()
{
    connect(editArtist_, &QLineEdit::editingFinished, this, &TMngRecF::detectMultiArtist);
    connect(editMedia_, &QComboBox::currentTextChanged, this, &TMngRecF::checkMedia);
    connect(speedButton1_, &QToolButton::clicked, this, [this] { runTool(Tool::Notes); });
    for (QWidget* w : std::initializer_list<QWidget*>{editNotes_, linesLabel_, label11_, label12_})
        w->installEventFilter(this);
}

void TMngRecF::addTool(Tool tool, QAbstractButton* button)
{
    toolButtons_.emplace(tool, std::make_pair(button, button->toolTip()));
    if (button != speedButton1_)
        connect(button, &QAbstractButton::clicked, this, [this, tool] { runTool(tool); });
}

// Entering the notes line or clicking the notes labels opens the notes
// editor, as its button does.
bool TMngRecF::eventFilter(QObject* watched, QEvent* event)
{
    const bool entered = watched == editNotes_ && event->type() == QEvent::FocusIn;
    const bool clicked = watched != editNotes_ && event->type() == QEvent::MouseButtonRelease;
    if ((entered || clicked) && tools_.count(Tool::Notes))
        runTool(Tool::Notes);
    return QDialog::eventFilter(watched, event);
}

void TMngRecF::setTool(Tool tool, std::function<void()> handler)
{
    tools_[tool] = std::move(handler);
    updateTools();
}

void TMngRecF::updateTools()
{
    const QString notYet = QString::fromLatin1(common::ui::kNotAvailableYet.data(),
                                               static_cast<qsizetype>(common::ui::kNotAvailableYet.size()));
    for (const auto& [tool, entry] : toolButtons_) {
        const auto& [button, tooltip] = entry;
        const bool there = tools_.count(tool) > 0;
        bool allowed = true;
        if (tool == Tool::MaskMaker)
            allowed = editMedia_->currentText().left(2) == "LD";
        else if (tool == Tool::UpdateTracks)
            allowed = mode_ == lookup::EditMode::Modify;
        else if (tool == Tool::Flip)
            allowed = various_;
        button->setEnabled(there && allowed);
        button->setToolTip(there ? tooltip : tooltip.isEmpty() ? notYet : tooltip + " - " + notYet);
    }
    flipMemo_->setVisible(flipButton_->isEnabled());
    label6_->setToolTip(maskButton_->isEnabled() ? "Use \"Make Mask\" button to create Mask, or enter manually"
                                                 : "Enter label on backup media");
}

}  // namespace editing::ui
