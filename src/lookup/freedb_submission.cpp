#include "lookup/freedb_submission.h"

#include <optional>
#include <vector>

#include <QDateTime>

#include "catalogue/program_files.h"
#include "common/product_version.h"
#include "common/trim_and_case.h"
#include "lookup/album_locator.h"
#include "lookup/entry_writer.h"
#include "lookup/submission_album.h"
#include "lookup/submission_mail.h"
#include "settings/default_settings.h"
#include "settings/ini_file.h"
#include "xbase/xbase_error.h"

namespace lookup {
namespace {

constexpr std::string_view kSubmitKey = "Submit";

struct MailSettings {
    std::string mail;
    std::optional<platform::MailServer> server;
    std::string submitAddress;

    bool usable() const { return !mail.empty() && server.has_value(); }
};

// Read at each submission: the options window may have changed the file.
MailSettings readMailSettings(const std::string& programDir)
{
    using settings::section::kCurrent;
    const settings::IniFile ini = settings::IniFile::load(catalogue::joinPath(programDir, settings::kFileName));
    MailSettings read{std::string(common::trimmed(ini.readString(kCurrent, settings::key::kMail, ""))),
                      mailServerFromSetting(ini.readString(kCurrent, settings::key::kServer, "")),
                      std::string(common::trimmed(ini.readString(kCurrent, kSubmitKey, "")))};
    if (read.submitAddress.empty())
        read.submitAddress = FreedbSubmission::kDefaultSubmitAddress;
    return read;
}

}  // namespace

FreedbSubmission::FreedbSubmission(catalogue::Catalogue& catalogue, const common::ProgramState& state,
                                   common::Prompter& prompter, platform::MailSender& sender, QObject* parent)
    : QObject(parent), catalogue_(catalogue), state_(state), prompter_(prompter), runner_(sender)
{
    connect(&runner_, &MailSendRunner::finished, this, &FreedbSubmission::sendFinished);
}

void FreedbSubmission::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read)
{
    runner_.setTimeouts(connect, read);
}

bool FreedbSubmission::start()
{
    if (busy())
        return false;
    MailSettings mail = readMailSettings(state_.programDir);
    if (!mail.usable()) {
        prompter_.error(kMissingSettings);
        prompter_.showWindow(common::Prompter::Window::Options);
        mail = readMailSettings(state_.programDir);
        if (!mail.usable()) {
            prompter_.error(kStillMissing);
            return false;
        }
    }

    const common::LookupState& disc = state_.lookup;
    const SubmissionAlbum album = loadSubmissionAlbum(catalogue_, disc.currentAlbumId);
    const std::vector<std::string> entry =
        writeEntry(album, disc.currentToc, disc.currentAlbumId, common::productVersion());
    const std::string date = QDateTime::currentDateTime().toString(Qt::RFC2822Date).toStdString();
    const std::string category = submissionCategory(album.genre, state_.official);
    platform::MailMessage message =
        submissionMail(mail.mail, mail.submitAddress, category, disc.currentAlbumId, entry, date);
    recno_ = catalogue_.albums()->recno();
    albumId_ = disc.currentAlbumId;
    revision_ = nextRevision(album.rev);
    runner_.start(*mail.server, std::move(message));
    emit statusChanged("Sending album info to mail server " + mail.server->host);
    return true;
}

void FreedbSubmission::sendFinished(const MailSendOutcome& outcome)
{
    emit statusChanged("");
    switch (outcome.result) {
    case MailSendOutcome::Result::Accepted:
        try {
            advanceRevision();
        } catch (const xbase::XbaseError& e) {
            prompter_.error(e.what());
        }
        prompter_.info(kThanks);
        break;
    case MailSendOutcome::Result::Failed:
        prompter_.error(outcome.message);
        break;
    case MailSendOutcome::Result::Cancelled:
        break;
    }
    emit finished(outcome.result == MailSendOutcome::Result::Accepted);
}

// The user may have moved to another album while the mail went, so the
// album is found again by its record on the second albums view.
void FreedbSubmission::advanceRevision()
{
    if (!albumInCatalogue(catalogue_, albumId_))
        return;
    xbase::Cursor& album = catalogue_.albumLookup().cursor();
    while (album.recno() != recno_) {
        if (!album.next() || album.fieldTrimmed("ID") != albumId_)
            return;
    }
    album.edit();
    album.setField("Rev", std::string(1, static_cast<char>('0' + revision_)));
    album.post();
}

}  // namespace lookup
