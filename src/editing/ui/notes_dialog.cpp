#include "editing/ui/notes_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QVBoxLayout>

#include "common/ansi_text.h"

namespace editing::ui {
namespace {

constexpr int kSmallestFont = 8;
constexpr int kLargestFont = 14;
constexpr int kFontStep = 2;
constexpr int kWidth = 640;
constexpr int kHeight = 420;

QPushButton* toolButton(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

NotesDialog::NotesDialog(NotesAdditions& additions, common::Prompter& prompter, Services services, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      additions_(additions),
      prompter_(prompter),
      services_(std::move(services))
{
    setObjectName("NotesDialog");
    setWindowTitle("Notes - Multi-line Edit");
    resize(kWidth, kHeight);
    notesEdit_ = new QPlainTextEdit(this);
    notesEdit_->setObjectName("NotesEdit");
    notesEdit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    notesEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notesEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setObjectName("OKButton");
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    buttons->addButton("Help", QDialogButtonBox::HelpRole)->setObjectName("HelpButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (services_.openPage)
            services_.openPage("CDhelp2.html#notes");
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTools());
    layout->addWidget(notesEdit_, 1);
    layout->addWidget(buttons);
}

QWidget* NotesDialog::buildTools()
{
    auto* tools = new QWidget(this);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(0, 0, 0, 0);
    auto* albumExtension = toolButton("AlbumExtensionButton", "Add Extended Data for Album", tools);
    auto* trackExtension = toolButton("TrackExtensionButton", "Add Extended Data for a Track", tools);
    auto* coverImage = toolButton("CoverImageButton", "Add Cover Image", tools);
    auto* website = toolButton("WebsiteButton", "Add Website or Document", tools);
    fontSizeBox_ = new QSpinBox(tools);
    fontSizeBox_->setObjectName("FontSizeBox");
    fontSizeBox_->setToolTip("Select font size for Notes");
    fontSizeBox_->setRange(kSmallestFont, kLargestFont);
    fontSizeBox_->setSingleStep(kFontStep);
    auto* fontLabel = new QLabel("Font Size:", tools);
    fontLabel->setBuddy(fontSizeBox_);
    for (QWidget* w : std::initializer_list<QWidget*>{albumExtension, trackExtension, coverImage, website})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(fontLabel);
    row->addWidget(fontSizeBox_);

    connect(fontSizeBox_, &QSpinBox::valueChanged, this, [this](int size) {
        QFont font = notesEdit_->font();
        font.setPointSize(size);
        notesEdit_->setFont(font);
    });
    fontSizeBox_->setValue(kSmallestFont);
    connect(albumExtension, &QPushButton::clicked, this, [this] { addLine(additions_.albumExtension()); });
    connect(trackExtension, &QPushButton::clicked, this, [this] {
        if (const auto track = services_.chooseTrack ? services_.chooseTrack() : std::nullopt)
            addLine(additions_.trackExtension(*track));
    });
    connect(coverImage, &QPushButton::clicked, this, [this] { addLine(additions_.coverImage()); });
    connect(website, &QPushButton::clicked, this, [this] { addLine(additions_.website()); });
    return tools;
}

// At the end of the text, on a line of its own.
void NotesDialog::addLine(const std::optional<std::string>& line)
{
    if (!line)
        return;
    const QString text = notesEdit_->toPlainText();
    QTextCursor cursor(notesEdit_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText((text.isEmpty() || text.endsWith('\n') ? QString() : QString('\n')) + common::fromAnsi(*line));
    notesEdit_->setTextCursor(cursor);
}

std::optional<std::string> NotesDialog::edit(std::string_view notes)
{
    QString text = common::fromAnsi(notes);
    text.replace("\r\n", "\n");
    notesEdit_->setPlainText(text);
    if (exec() != Accepted)
        return std::nullopt;
    bool lossy = false;
    std::string edited = common::toAnsi(notesEdit_->toPlainText().replace('\n', "\r\n"), &lossy);
    if (lossy)
        prompter_.info(std::string(kNotesLossyText));
    return edited;
}

}  // namespace editing::ui
