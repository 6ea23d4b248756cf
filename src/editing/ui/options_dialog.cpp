#include "editing/ui/options_dialog.h"

#include <filesystem>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "lookup/cd_drive.h"

namespace editing::ui {
namespace {

constexpr const char* kViewerDownloadPage = "https://www.xnview.com/";
constexpr const char* kProgramsFolder = "/usr/bin";
// In the order of settings::LookupOrder: an item's index is its value.
constexpr const char* kLookupOrderItems[] = {"CDDB, then MusicBrainz", "MusicBrainz, then CDDB", "CDDB only",
                                             "MusicBrainz only"};

QLineEdit* lineEdit(const char* name, QWidget* parent, const char* tooltip = nullptr)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (tooltip)
        edit->setToolTip(tooltip);
    return edit;
}

// The edit with its "Find On Drive" button beside it.
QWidget* withButton(QLineEdit* edit, QPushButton* button)
{
    auto* row = new QWidget(edit->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button);
    return row;
}

QCheckBox* checkBox(const char* name, const char* caption, const char* explanation, QWidget* parent)
{
    auto* check = new QCheckBox(QString("%1\n%2").arg(caption, explanation), parent);
    check->setObjectName(name);
    return check;
}

std::string startFolder(const QLineEdit* edit, const std::string& fallback)
{
    const std::filesystem::path current = common::toAnsi(edit->text());
    std::error_code error;
    if (current.has_parent_path() && std::filesystem::is_directory(current.parent_path(), error))
        return current.parent_path().string();
    return fallback;
}

}  // namespace

OptionsDialog::OptionsDialog(OptionsEditor& editor, lookup::CddbExchangeRunner& runner, common::Prompter& prompter,
                             OptionsServices services, QWidget* parent)
    : QDialog(parent), editor_(editor), runner_(runner), prompter_(prompter), services_(std::move(services))
{
    setObjectName("OptionsDialog");
    setWindowTitle("Vinora - Properties and Options Form");
    setModal(true);
    build();
    values_ = editor_.activate();
    fill(values_);
    listDrives();
    connect(&runner_, &lookup::CddbExchangeRunner::sitesFinished, this, &OptionsDialog::hostsArrived);
}

void OptionsDialog::build()
{
    hostBox_ = new QComboBox(this);
    hostBox_->setObjectName("hostBox");
    hostBox_->setEditable(true);
    hostBox_->setInsertPolicy(QComboBox::NoInsert);
    auto* refresh = new QPushButton("Refresh Host List", this);
    refresh->setObjectName("refreshHostsButton");
    refresh->setToolTip("Retrieve latest list of hosts");
    tcpButton_ = new QRadioButton("TCP/IP (dialup)", this);
    tcpButton_->setObjectName("tcpButton");
    httpButton_ = new QRadioButton("HTTP (firewall)", this);
    httpButton_->setObjectName("httpButton");
    tlsCheck_ = new QCheckBox("Authentication required", this);
    tlsCheck_->setObjectName("tlsCheck");
    tlsCheck_->setToolTip("HTTPS on port 443");
    auto* protocol = new QGroupBox(" Connection Protocol ", this);
    auto* protocolLayout = new QVBoxLayout(protocol);
    protocolLayout->addWidget(tcpButton_);
    protocolLayout->addWidget(httpButton_);
    protocolLayout->addWidget(tlsCheck_);
    protocolLayout->addWidget(
        new QLabel("Vinora uses the proxy of your environment (http_proxy, https_proxy) for HTTP connections", this));
    lookupOrderBox_ = new QComboBox(this);
    lookupOrderBox_->setObjectName("lookupOrderBox");
    for (const char* item : kLookupOrderItems)
        lookupOrderBox_->addItem(item);
    lookupOrderBox_->setToolTip("Which online databases Add CD asks about a new disc; the second is asked when the "
                                "first does not know the disc or cannot be reached");

    driveList_ = new QComboBox(this);
    driveList_->setObjectName("driveList");
    drivePathEdit_ = lineEdit("drivePathEdit", this, "A CD device such as /dev/sr0, or a .cue or .toc disc image");
    auto* pickImage = new QPushButton("Disc Image...", this);
    pickImage->setObjectName("pickDiscImageButton");
    coversEdit_ = lineEdit("coversEdit", this, "Website with downloadable Cover Art");
    viewerEdit_ = lineEdit("viewerEdit", this, "Program to display Cover Art");
    auto* findViewer = new QPushButton("Find On Drive", this);
    findViewer->setObjectName("findViewerButton");
    auto* download = new QPushButton("Download XnView -  FREE graphics viewer/editor", this);
    download->setObjectName("viewerDownloadButton");
    labelerEdit_ = lineEdit("labelerEdit", this);
    auto* findLabeler = new QPushButton("Find On Drive", this);
    findLabeler->setObjectName("findLabelerButton");
    nameEdit_ = lineEdit("purposeEdit", this);
    playerEdit_ = lineEdit("playerEdit", this, "Leave blank to use the desktop's default player");
    auto* findPlayer = new QPushButton("Find On Drive", this);
    findPlayer->setObjectName("findPlayerButton");
    tooltipsCheck_ = checkBox("tooltipsCheck", "Show Tooltips (\"fly-over\" hints)",
                              "(show hint when the mouse pointer rests on a control or its label)", this);
    coverArtCheck_ = checkBox("coverArtCheck", "Automatically display cover art",
                              "(auto show any cover art while playing the album)", this);

    mailEdit_ = lineEdit("mailEdit", this);
    mailServerEdit_ = lineEdit("mailServerEdit", this);
    auto* mail = new QGroupBox(" E-mail entries used ONLY for submitting new/corrected info to Freedb ", this);
    auto* mailLayout = new QFormLayout(mail);
    mailLayout->addRow("Your e-mail Address:", mailEdit_);
    mailLayout->addRow("", new QLabel("(for example: you@example.com)", mail));
    mailLayout->addRow("Outgoing (SMTP) Mail Server:", mailServerEdit_);
    mailLayout->addRow("", new QLabel("(for example: smtp.example.com or smtp.example.com:587)", mail));

    auto* hostRow = new QHBoxLayout;
    hostRow->addWidget(hostBox_, 1);
    hostRow->addWidget(refresh);
    auto* form = new QFormLayout;
    form->addRow("Database Host:", hostRow);
    form->addRow(protocol);
    form->addRow("Look discs up in:", lookupOrderBox_);
    driveLabel_ = new QLabel("CD-Rom Drive:", this);
    form->addRow(driveLabel_, driveList_);
    form->addRow("CD-Rom Device or Image:", withButton(drivePathEdit_, pickImage));
    form->addRow("Cover Art URL:", coversEdit_);
    form->addRow("Viewer program:", withButton(viewerEdit_, findViewer));
    form->addRow("", download);
    form->addRow("Labeler program:", withButton(labelerEdit_, findLabeler));
    form->addRow("Program purpose:", nameEdit_);
    form->addRow("Player program:", withButton(playerEdit_, findPlayer));
    form->addRow(tooltipsCheck_);
    form->addRow(coverArtCheck_);
    form->addRow(mail);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("statusLine");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->addWidget(statusLine_);

    for (auto [edit, option] : {std::pair{drivePathEdit_, Option::DrivePath}, {coversEdit_, Option::Covers},
                                {viewerEdit_, Option::Viewer}, {labelerEdit_, Option::Labeler},
                                {nameEdit_, Option::Name}, {playerEdit_, Option::Player},
                                {mailEdit_, Option::Mail}, {mailServerEdit_, Option::Server}})
        track(edit, option);
    connect(hostBox_->lineEdit(), &QLineEdit::textEdited, this, [this] { editor_.markChanged(Option::Host); });
    connect(hostBox_, &QComboBox::activated, this, [this] { editor_.markChanged(Option::Host); });
    connect(refresh, &QPushButton::clicked, this, &OptionsDialog::refreshHosts);
    connect(tcpButton_, &QRadioButton::clicked, this, [this] {
        editor_.chooseProtocol(values_, false);
        tlsCheck_->setEnabled(false);
    });
    connect(httpButton_, &QRadioButton::clicked, this, [this] {
        editor_.chooseProtocol(values_, true);
        tlsCheck_->setEnabled(true);
    });
    connect(tlsCheck_, &QCheckBox::clicked, this, [this] { editor_.markChanged(Option::Ssl); });
    connect(tooltipsCheck_, &QCheckBox::clicked, this, [this] { editor_.markChanged(Option::Hint); });
    connect(coverArtCheck_, &QCheckBox::clicked, this, [this] { editor_.markChanged(Option::Art); });
    connect(driveList_, &QComboBox::activated, this, [this] { editor_.markChanged(Option::DriveEntry); });
    connect(lookupOrderBox_, &QComboBox::activated, this, [this] { editor_.markChanged(Option::LookupOrder); });

    const auto pick = [this](QLineEdit* edit, Option option, const auto& picker, const std::string& fallback) {
        if (const auto chosen = picker(startFolder(edit, fallback))) {
            edit->setText(common::fromAnsi(*chosen));
            editor_.markChanged(option);
        }
    };
    connect(pickImage, &QPushButton::clicked, this,
            [=, this] { pick(drivePathEdit_, Option::DrivePath, services_.pickDiscImage, QDir::homePath().toStdString()); });
    connect(findViewer, &QPushButton::clicked, this,
            [=, this] { pick(viewerEdit_, Option::Viewer, services_.pickProgram, kProgramsFolder); });
    connect(findLabeler, &QPushButton::clicked, this,
            [=, this] { pick(labelerEdit_, Option::Labeler, services_.pickProgram, kProgramsFolder); });
    connect(findPlayer, &QPushButton::clicked, this,
            [=, this] { pick(playerEdit_, Option::Player, services_.pickProgram, kProgramsFolder); });
    connect(download, &QPushButton::clicked, this, [this] { services_.openPage(kViewerDownloadPage); });
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accepted);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
}

void OptionsDialog::track(QLineEdit* edit, Option option)
{
    connect(edit, &QLineEdit::textEdited, this, [this, option] { editor_.markChanged(option); });
}

void OptionsDialog::fill(const OptionsValues& values)
{
    hostBox_->clear();
    for (const std::string& host : values.hosts)
        hostBox_->addItem(common::fromAnsi(host));
    hostBox_->setEditText(common::fromAnsi(values.host));
    (values.http ? httpButton_ : tcpButton_)->setChecked(true);
    tlsCheck_->setChecked(values.ssl);
    tlsCheck_->setEnabled(values.http);
    lookupOrderBox_->setCurrentIndex(static_cast<int>(values.lookupOrder));
    drivePathEdit_->setText(common::fromAnsi(values.drivePath));
    coversEdit_->setText(common::fromAnsi(values.covers));
    viewerEdit_->setText(common::fromAnsi(values.viewer));
    labelerEdit_->setText(common::fromAnsi(values.labeler));
    nameEdit_->setText(common::fromAnsi(values.name));
    playerEdit_->setText(common::fromAnsi(values.player));
    tooltipsCheck_->setChecked(values.hint);
    coverArtCheck_->setChecked(values.art);
    mailEdit_->setText(common::fromAnsi(values.mail));
    mailServerEdit_->setText(common::fromAnsi(values.server));
}

void OptionsDialog::gather()
{
    values_.hosts.clear();
    for (int i = 0; i < hostBox_->count(); ++i)
        values_.hosts.push_back(common::toAnsi(hostBox_->itemText(i)));
    values_.host = common::toAnsi(hostBox_->currentText());
    values_.http = httpButton_->isChecked();
    values_.ssl = tlsCheck_->isChecked();
    values_.lookupOrder = static_cast<settings::LookupOrder>(lookupOrderBox_->currentIndex());
    if (driveList_->currentIndex() >= 0)
        values_.driveEntry = static_cast<std::size_t>(driveList_->currentIndex());
    values_.drivePath = common::toAnsi(drivePathEdit_->text());
    values_.covers = common::toAnsi(coversEdit_->text());
    values_.viewer = common::toAnsi(viewerEdit_->text());
    values_.labeler = common::toAnsi(labelerEdit_->text());
    values_.name = common::toAnsi(nameEdit_->text());
    values_.player = common::toAnsi(playerEdit_->text());
    values_.hint = tooltipsCheck_->isChecked();
    values_.art = coverArtCheck_->isChecked();
    values_.mail = common::toAnsi(mailEdit_->text());
    values_.server = common::toAnsi(mailServerEdit_->text());
}

void OptionsDialog::listDrives()
{
    const auto drives = services_.listDrives ? services_.listDrives() : std::nullopt;
    if (!drives) {
        prompter_.error(lookup::CdDrive::kNoDriveMessage);
        driveList_->hide();
        driveLabel_->hide();
        return;
    }
    for (const std::string& drive : *drives)
        driveList_->addItem(common::fromAnsi(drive));
    if (values_.driveEntry < drives->size())
        driveList_->setCurrentIndex(static_cast<int>(values_.driveEntry));
}

void OptionsDialog::refreshHosts()
{
    if (!runner_.startSites())
        return;
    statusLine_->setText("Retrieving database mirror choices ...");
}

// A failed or empty fetch keeps the hosts the user had: they are still
// good, and the host list is written back at close.
void OptionsDialog::hostsArrived(const lookup::CddbListResult& result)
{
    if (result.outcome != lookup::CddbOutcome::Completed || !result.found) {
        statusLine_->setText(common::fromAnsi(result.message.empty() ? "No mirror list arrived" : result.message));
        return;
    }
    gather();
    editor_.hostsRefreshed(values_, result.items);
    hostBox_->clear();
    for (const std::string& host : values_.hosts)
        hostBox_->addItem(common::fromAnsi(host));
    hostBox_->setEditText(common::fromAnsi(values_.host));
    statusLine_->setText("Finished retrieving database mirror choices, please proceed");
}

void OptionsDialog::accepted()
{
    gather();
    std::vector<std::string> problems;
    const bool written = common::runAction(prompter_, [this, &problems] {
        problems = editor_.accept(values_, services_.firstCdDrive);
    });
    if (written)
        emit optionsApplied();
    for (const std::string& problem : problems)
        prompter_.error(problem);
    if (written && problems.empty())
        accept();
}

void OptionsDialog::reject()
{
    if (runner_.busy()) {
        runner_.cancel();
        statusLine_->setText("Stopped retrieving database mirror choices");
        return;
    }
    editor_.cancel();
    QDialog::reject();
}

void OptionsDialog::done(int result)
{
    if (runner_.busy())
        runner_.cancel();
    gather();
    common::runAction(prompter_, [this] { editor_.close(values_.hosts); });
    QDialog::done(result);
}

}  // namespace editing::ui
