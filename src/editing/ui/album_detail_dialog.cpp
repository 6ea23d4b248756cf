#include "editing/ui/album_detail_dialog.h"

#include <filesystem>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "common/trim_and_case.h"
#include "common/ui/named_colours.h"
#include "editing/album_detail_labeler_list.h"
#include "editing/album_detail_pages.h"
#include "editing/ui/media_usage_dialog.h"

namespace editing::ui {
namespace {

const std::string kLabelerNotSet =
    "Playlist copied to Clipboard and may be pasted into SureThing Labeler\rClick on tool button in Toolbox to enter "
    "path for labeler program so\rVinora can start it up automatically next time!";
const std::string kLabelerReady =
    "Ready to bring up your Labeler program.\rTo use this Playlist in SureThing, on their menu bar\rclick on "
    "Playlists|Edit Active Playlist\rand then on the Paste button at the bottom of the form.";

QTextCharFormat lineFormat(AlbumDetail::Style style)
{
    QTextCharFormat format;
    switch (style) {
    case AlbumDetail::Style::Plain:
        break;
    case AlbumDetail::Style::Extended:
        format.setForeground(Qt::blue);
        break;
    case AlbumDetail::Style::Statistics:
        format.setForeground(common::ui::colour::kNavy);
        break;
    case AlbumDetail::Style::Hint:
        format.setFontItalic(true);
        break;
    }
    return format;
}

QString joinedLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text << common::fromAnsi(line);
    return text.join('\n');
}

}  // namespace

AlbumDetailDialog::AlbumDetailDialog(catalogue::Catalogue& catalogue, AlbumDetailServices services, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      services_(std::move(services)),
      detail_(AlbumDetail::ofCurrentAlbum(catalogue)),
      page_(new QTextEdit(this))
{
    build();
    showPage();
}

bool AlbumDetailDialog::showForCurrentAlbum(catalogue::Catalogue& catalogue, AlbumDetailServices services,
                                            QWidget* parent)
{
    if (!catalogue.albums().isOpen() || catalogue.albums()->eof())
        return false;
    AlbumDetailDialog dialog(catalogue, std::move(services), parent);
    dialog.exec();
    return dialog.reportWriterRequested();
}

void AlbumDetailDialog::build()
{
    setObjectName("AlbumDetailDialog");
    setWindowTitle(common::fromAnsi(detail_.caption()));
    resize(760, 600);
    page_->setObjectName("detailPage");
    page_->setReadOnly(true);
    page_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    page_->setLineWrapMode(QTextEdit::NoWrap);
    page_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    page_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    page_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QGridLayout;
    int placed = 0;
    const auto addButton = [&](const char* name, const char* caption, const char* hint, auto action) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        if (*hint)
            button->setToolTip(hint);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button, placed / 3, placed % 3);
        ++placed;
    };
    addButton("freedbButton", " Transmit album info to Freedb     ",
              "Submit new or updated info to the online database", [this] { submit(); });
    addButton("labelerButton", "Create Playlist for CD-R Labeler", "", [this] { makeLabelerList(); });
    addButton("mediaUsageButton", "Display Time Used on Rewritable Media",
              "Report shows time used on all rewritabe media like CD-RW", [this] { showMediaUsage(); });
    addButton("reportWriterButton", "Review/Printout Collection", "Report Writer + Webpage Generator",
              [this] { requestReportWriter(); });
    addButton("artistCdsButton", "Available CDs by this artist", "",
              [this] { openOutsidePage(OutsidePage::ArtistCds); });
    addButton("postersButton", "Find posters of this artist", "",
              [this] { openOutsidePage(OutsidePage::ArtistPosters); });
    addButton("memorabiliaButton", "Find memorabilia", "Find any memorabilia for this artist",
              [this] { openOutsidePage(OutsidePage::Memorabilia); });
    addButton("ticketsButton", "Get tickets (even if sold-out)", "Get concert tickets, including premium & sold out!",
              [this] { openOutsidePage(OutsidePage::Tickets); });
    addButton("closeButton", "Close", "", [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_, 1);
    layout->addWidget(new QLabel("Contents can be copied to the Windows Clipboard (ctrl-A then ctrl-C)", this));
    layout->addLayout(buttons);
}

void AlbumDetailDialog::showPage()
{
    QTextCursor cursor(page_->document());
    bool first = true;
    for (const AlbumDetail::Line& line : detail_.page()) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(common::fromAnsi(line.text), lineFormat(line.style));
    }
    page_->moveCursor(QTextCursor::Start);
    page_->setFocus();
}

void AlbumDetailDialog::submit()
{
    if (services_.submission.run() != AlbumDetailSubmission::Outcome::Refused)
        return;
    QMessageBox notice(QMessageBox::Information, common::fromAnsi(AlbumDetailSubmission::kRefusalCaption),
                       common::fromMessage(AlbumDetailSubmission::kRefusalText), QMessageBox::Close, this);
    notice.setObjectName("refusalNotice");
    notice.exec();
}

// The list replaces the page, goes to the clipboard and into a file the
// labeler program is started with; the window then closes.
void AlbumDetailDialog::makeLabelerList()
{
    const std::vector<std::string> lines = labelerList(detail_);
    page_->hide();
    page_->setPlainText(joinedLines(lines));
    QApplication::clipboard()->setText(joinedLines(lines));
    const std::string listFile = catalogue::joinPath(services_.state.programDir, kLabelerListFile);
    writeLabelerList(listFile, lines);
    const std::string labeler(common::trimmed(services_.state.settings.labeler));
    std::error_code ec;
    const QString program = common::fromAnsi(labeler);
    if (labeler.empty() || !std::filesystem::is_regular_file(program.toStdString(), ec)) {
        services_.prompter.info(kLabelerNotSet);
    } else {
        services_.prompter.info(kLabelerReady);
        if (!services_.desktop.startProgram(program, QString::fromStdString(listFile)))
            services_.prompter.error("The labeler program could not be started:\r" + labeler);
    }
    accept();
}

void AlbumDetailDialog::showMediaUsage()
{
    MediaUsageDialog usage(catalogue_, services_.openPage, this);
    usage.exec();
}

void AlbumDetailDialog::requestReportWriter()
{
    reportWriter_ = true;
    accept();
}

void AlbumDetailDialog::openOutsidePage(OutsidePage page)
{
    const QString address = outsidePageAddress(page, detail_.artist());
    if (!services_.desktop.openAddress(address))
        services_.prompter.error("The page could not be opened:\r" + common::toAnsi(address));
}

}  // namespace editing::ui
