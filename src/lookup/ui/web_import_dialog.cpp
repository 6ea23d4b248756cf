#include "lookup/ui/web_import_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/named_colours.h"
#include "lookup/bar_code.h"

namespace lookup::ui {
namespace {

constexpr char kHelpPage[] = "CDhelp2.html#xcmd";
constexpr Qt::GlobalColor kLime = Qt::green;
constexpr Qt::GlobalColor kYellow = Qt::yellow;
constexpr int kInstructionLines = 4;

QPushButton* button(const char* name, const QString& caption, QWidget* parent, const char* hint = nullptr)
{
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    if (hint)
        pushButton->setToolTip(hint);
    return pushButton;
}

QPlainTextEdit* instructions(const char* name, const QString& text, Qt::GlobalColor background, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(text, parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The whole text shows: nothing to scroll to.
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, background == common::ui::colour::kNavy ? Qt::white : Qt::black);
    memo->setPalette(palette);
    const QMargins margins = memo->contentsMargins();
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * kInstructionLines +
                         2 * static_cast<int>(memo->document()->documentMargin()) + margins.top() + margins.bottom());
    return memo;
}

}  // namespace

WebImportDialog::WebImportDialog(WebImport& import, common::Prompter& prompter, Services services, QWidget* parent)
    : QDialog(parent), import_(import), prompter_(prompter), services_(std::move(services))
{
    setObjectName("WebImportDialog");
    setWindowTitle(common::fromAnsi(import_.caption()));
    new QVBoxLayout(this);
    buildSites();
    buildInstructions();
    buildButtons();
}

void WebImportDialog::buildSites()
{
    const bool updating = !import_.offersManualEntry();
    auto* group = new QGroupBox(updating ? " Retrieve information from online database "
                                         : "  Retrieve information from online database (or enter manually)  ",
                                this);
    auto* grid = new QGridLayout(group);

    grid->addWidget(new QLabel(updating ? "Step 1:" : "Step 1:  Either", group), 0, 0);
    grid->addWidget(new QLabel("choose a site  -->", group), 0, 1);
    auto* sites = new QHBoxLayout;
    QPushButton* onlineDatabase = button("onlineDatabaseButton", "Freedb", group);
    onlineDatabase->setEnabled(import_.offersOnlineDatabase());
    QPushButton* allMusic = button("allMusicGuideButton", "All Music Guide", group);
    QPushButton* amazon = button("amazonButton", "Amazon.com", group);
    sites->addWidget(onlineDatabase);
    sites->addWidget(allMusic);
    sites->addWidget(amazon);
    grid->addLayout(sites, 0, 2, 1, 2);

    grid->addWidget(new QLabel("or", group), 1, 0);
    grid->addWidget(new QLabel("scan with cue:cat, click button when UPC shows:", group), 1, 1);
    scannerEdit_ = new QLineEdit(group);
    scannerEdit_->setObjectName("scannerEdit");
    scannerEdit_->setFrame(false);
    grid->addWidget(scannerEdit_, 1, 2);
    auto* barCodeBox = new QGroupBox("UPC Bar Code", group);
    auto* barCodeRow = new QHBoxLayout(barCodeBox);
    barCodeEdit_ = new QLineEdit(barCodeBox);
    barCodeEdit_->setObjectName("barCodeEdit");
    QPushButton* clear = button("clearBarCodeButton", "Clear", barCodeBox, "Try another code");
    barCodeRow->addWidget(barCodeEdit_);
    barCodeRow->addWidget(clear);
    grid->addWidget(barCodeBox, 1, 3);
    QPushButton* barCodeSearch = button("barCodeSearchButton", "UPC Search", group);
    grid->addWidget(barCodeSearch, 1, 4);
    QPushButton* musicBrainz = button("musicBrainzButton", "MusicBrainz", group,
                                      "Look the bar code up on MusicBrainz and fill in the album directly");
    musicBrainz->setEnabled(import_.offersMusicBrainz());
    grid->addWidget(musicBrainz, 1, 5);

    if (!updating) {
        grid->addWidget(new QLabel("or", group), 2, 0);
        grid->addWidget(new QLabel("click to enter album data manually  (skips Steps 2 + 3 below):", group), 2, 1, 1, 2);
        QPushButton* manual = button("manualEntryButton", "Enter Manually", group);
        grid->addWidget(manual, 2, 3);
        connect(manual, &QPushButton::clicked, this, &WebImportDialog::enterManually);
    }
    layout()->addWidget(group);

    connect(onlineDatabase, &QPushButton::clicked, this, [this] { goToSite(WebImport::Site::OnlineDatabase); });
    connect(allMusic, &QPushButton::clicked, this, [this] { goToSite(WebImport::Site::AllMusicGuide); });
    connect(amazon, &QPushButton::clicked, this, [this] { goToSite(WebImport::Site::Amazon); });
    connect(scannerEdit_, &QLineEdit::textChanged, this, &WebImportDialog::scannerChanged);
    connect(clear, &QPushButton::clicked, this, [this] {
        barCodeEdit_->clear();
        readyForNextScan();
    });
    connect(barCodeSearch, &QPushButton::clicked, this, &WebImportDialog::searchBarCode);
    connect(musicBrainz, &QPushButton::clicked, this, &WebImportDialog::takeMusicBrainzRelease);
}

void WebImportDialog::buildInstructions()
{
    layout()->addWidget(new QLabel("Step 2:  Follow instructions for the particular site selected above (color coded)",
                                   this));
    QPlainTextEdit* onlineDatabase = instructions(
        "onlineDatabaseInstructions",
        "Freedb:  When you find your album at their website:\n1.  Click the link on the line beginning with \"ids:\".\n"
        "2.  Select All (ctrl-A), \n3.  Copy  to the Windows Clipboard (ctrl-C).",
        common::ui::colour::kAqua, this);
    onlineDatabase->setVisible(import_.offersOnlineDatabase());
    layout()->addWidget(onlineDatabase);
    layout()->addWidget(instructions(
        "allMusicGuideInstructions",
        "AMG:  Find your album at their site, then select the TRACKS SECTION ONLY \n"
        "with your mouse and copy to the Windows Clipboard (ctrl-C).  Use alt-Tab to return \n"
        "here and click on OK below,  You can then use alt-Tab to go between their site and \n"
        "Vinora to also pick up the Artist and Album title.",
        kLime, this));
    layout()->addWidget(instructions("amazonInstructions",
                                     "Amazon:  Same procedure as for AMG above: select the track list only, copy it\n"
                                     "(ctrl-C), return here and click on OK below.",
                                     kYellow, this));
    layout()->addWidget(instructions(
        "barCodeInstructions",
        "UPC:  Scan your bar code, and when the blue UPC code appears (OR IF YOU DON'T HAVE A CUE:CAT JUST \n"
        "TYPE IN THE UPC) click the UPS Search button .  If it takes you to the correct album, copy it to the "
        "clipboard \n(ctrl-A & ctrl-C).  Important:  Click the Help button below before installing a :cue:cat scanner.",
        common::ui::colour::kNavy, this));
    layout()->addWidget(new QLabel("Step 3: Return to this form (alt-tab) and click OK (or Cancel) below", this));
    layout()->addWidget(new QLabel(
        "(click the Help button below to see how to use a track list from another site instead)", this));
    layout()->addWidget(new QLabel("products and websites are trademarks of  their respective companies", this));
}

void WebImportDialog::buildButtons()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    layout()->addWidget(buttons);
    status_ = new QLabel(this);
    status_->setObjectName("statusLine");
    layout()->addWidget(status_);
    connect(buttons, &QDialogButtonBox::accepted, this, &WebImportDialog::takeClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { services_.openPage(kHelpPage); });
}

// A scanner ends its code with Enter: that must not read the clipboard.
void WebImportDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void WebImportDialog::goToSite(WebImport::Site site) { leaveForSite(import_.chooseSite(site)); }

void WebImportDialog::searchBarCode()
{
    leaveForSite(import_.chooseBarCodeSearch(common::toAnsi(barCodeEdit_->text())));
    barCodeEdit_->clear();
    readyForNextScan();
}

void WebImportDialog::takeMusicBrainzRelease()
{
    WebImport::Outcome outcome = WebImport::Outcome::KeepOpen;
    common::runAction(prompter_, [&] {
        outcome = import_.takeMusicBrainzRelease(common::toAnsi(barCodeEdit_->text()));
    });
    finish(outcome);
    if (outcome == WebImport::Outcome::KeepOpen)
        readyForNextScan();
}

// The old copy goes first, so that it cannot be taken for the page.
void WebImportDialog::leaveForSite(const std::string& address)
{
    status_->setText(common::fromAnsi(kGoingToSiteStatus));
    QGuiApplication::clipboard()->clear();
    services_.openAddress(address);
}

void WebImportDialog::scannerChanged(const QString& text)
{
    if (const auto code = scannedBarCode(common::toAnsi(text)))
        barCodeEdit_->setText(common::fromAnsi(*code));
}

void WebImportDialog::readyForNextScan()
{
    scannerEdit_->setFocus();
    scannerEdit_->selectAll();
}

void WebImportDialog::takeClipboard()
{
    status_->setText(common::fromAnsi(kProcessingStatus));
    WebImport::Outcome outcome = WebImport::Outcome::KeepOpen;
    common::runAction(prompter_, [&] {
        outcome = import_.takePastedText(common::toAnsi(QGuiApplication::clipboard()->text()));
    });
    finish(outcome);
}

void WebImportDialog::enterManually()
{
    WebImport::Outcome outcome = WebImport::Outcome::KeepOpen;
    common::runAction(prompter_, [&] { outcome = import_.enterManually(); });
    finish(outcome);
}

void WebImportDialog::finish(WebImport::Outcome outcome)
{
    switch (outcome) {
    case WebImport::Outcome::KeepOpen:
        status_->clear();
        return;
    case WebImport::Outcome::Closed:
        reject();
        return;
    case WebImport::Outcome::Accepted:
        accept();
        return;
    }
}

}  // namespace lookup::ui
