#include "lookup/add_cd_flow.h"

#include <array>

#include "catalogue/album_codes.h"
#include "lookup/album_locator.h"
#include "lookup/submission_album.h"

namespace lookup {
namespace {

const std::string kPlaceholderTitle = "Track ";

enum class Database { Cddb, MusicBrainz };

std::vector<Database> databasesIn(settings::LookupOrder order)
{
    switch (order) {
    case settings::LookupOrder::CddbFirst:
        return {Database::Cddb, Database::MusicBrainz};
    case settings::LookupOrder::MusicBrainzFirst:
        return {Database::MusicBrainz, Database::Cddb};
    case settings::LookupOrder::CddbOnly:
        return {Database::Cddb};
    case settings::LookupOrder::MusicBrainzOnly:
        return {Database::MusicBrainz};
    }
    return {Database::Cddb};
}

}  // namespace

AddCdFlow::AddCdFlow(common::ProgramState& state, common::Prompter& prompter, catalogue::Catalogue& catalogue,
                     AddCdParts parts)
    : state_(state),
      prompter_(prompter),
      catalogue_(catalogue),
      parts_(std::move(parts)),
      drive_(parts_.access, state.lookup, [&prompter](const std::string& message) { prompter.error(message); },
             parts_.pause),
      finder_(drive_, state.lookup, catalogue, [&prompter](const std::string& message) { prompter.error(message); }),
      discLookup_(parts_.cddb, state.lookup)
{
}

void AddCdFlow::run()
{
    const std::string cdPath = state_.settings.cdPath;
    drive_.setDriveSettings(cdPath, state_.settings.driveNr);
    parts_.showStatus("Checking for audio CD in drive " + cdPath);
    const bool audioCd = drive_.audioCdPresent(cdPath);
    if (audioCd)
        parts_.showStatus("Checking for existing entry for this CD");
    if (!audioCd || !drive_.readDiscToc()) {
        parts_.showStatus("");
        prompter_.info(kNoCdMessage);
        return;
    }
    if (albumInCatalogue(catalogue_, state_.lookup.currentAlbumId)) {
        parts_.showStatus("");
        finder_.findCdInCollection(false);
        prompter_.error(kCdInCollectionMessage);
        return;
    }
    parts_.form.resetForNewEntry(EditMode::AddFromDrive);
    const AlbumEntry reset = parts_.form.entry();
    const AlbumEntry disc = discEntry(reset, state_.lookup, state_.settings.genre);
    std::vector<std::string> failures;
    bool unknown = false;
    for (const Database database : databasesIn(state_.settings.lookupOrder)) {
        const Asked asked = database == Database::Cddb ? askCddb(reset) : askMusicBrainz(disc);
        switch (asked.ending) {
        case Asked::Ending::Shown:
        case Asked::Ending::Stopped:
            return;
        case Asked::Ending::Failed:
            failures.push_back(asked.message);
            break;
        case Asked::Ending::Unknown:
            unknown = true;
            break;
        }
    }
    for (const std::string& failure : failures)
        prompter_.error(failure);
    if (unknown)
        addUnknownDisc(disc);
}

AddCdFlow::Asked AddCdFlow::askCddb(const AlbumEntry& reset)
{
    const std::optional<DiscLookupOutcome> outcome = lookUp(reset);
    parts_.showStatus("");
    if (!outcome)
        return {Asked::Ending::Stopped, {}};
    if (outcome->notFound)
        return {Asked::Ending::Unknown, {}};
    if (outcome->showEditForm) {
        parts_.form.setEntry(outcome->entry, EditMode::AddFromDrive);
        parts_.form.show();
        return {Asked::Ending::Shown, {}};
    }
    if (outcome->failureMessage.empty())
        return {Asked::Ending::Stopped, {}};
    return {Asked::Ending::Failed, outcome->failureMessage};
}

AddCdFlow::Asked AddCdFlow::askMusicBrainz(AlbumEntry disc)
{
    MusicBrainzLookup& musicBrainz = parts_.musicBrainz;
    const MusicBrainzAnswer answer = musicBrainz.disc(state_.lookup.currentToc);
    switch (answer.ending) {
    case MusicBrainzAnswer::Ending::Cancelled:
        return {Asked::Ending::Stopped, {}};
    case MusicBrainzAnswer::Ending::Failed:
        return {Asked::Ending::Failed, "MusicBrainz could not be asked about the disc:\r" + answer.message};
    case MusicBrainzAnswer::Ending::NotFound:
        return {Asked::Ending::Unknown, {}};
    case MusicBrainzAnswer::Ending::Found:
        break;
    }
    musicBrainz.fillForm(parts_.form, answer.release, EditMode::AddFromDrive, std::move(disc));
    parts_.form.show();
    return {Asked::Ending::Shown, {}};
}

std::optional<DiscLookupOutcome> AddCdFlow::lookUp(const AlbumEntry& entry)
{
    CddbExchangeRunner& cddb = parts_.cddb;
    // The start-up's request for the categories may still be under way.
    if (cddb.busy()) {
        bool stopped = false;
        const auto end = [this] { parts_.wait.end(); };
        const std::array<QMetaObject::Connection, 3> earlier{
            QObject::connect(&cddb, &CddbExchangeRunner::lookupFinished, end),
            QObject::connect(&cddb, &CddbExchangeRunner::sitesFinished, end),
            QObject::connect(&cddb, &CddbExchangeRunner::categoriesFinished, end),
        };
        parts_.wait.wait([&] {
            stopped = true;
            cddb.cancel();
        });
        for (const QMetaObject::Connection& connection : earlier)
            QObject::disconnect(connection);
        if (stopped)
            return std::nullopt;
    }
    std::optional<DiscLookupOutcome> outcome;
    const QMetaObject::Connection taken =
        QObject::connect(&discLookup_, &DiscLookup::finished, [&](const DiscLookupOutcome& answer) {
            outcome = answer;
            parts_.wait.end();
        });
    if (discLookup_.start(entry, state_.settings.genre))
        parts_.wait.wait([&cddb] { cddb.cancel(); });
    QObject::disconnect(taken);
    return outcome;
}

void AddCdFlow::addUnknownDisc(AlbumEntry entry)
{
    prompter_.info(kNotInOnlineDatabaseMessage);
    entry.artist.clear();
    entry.album.clear();
    parts_.form.setEntry(entry, EditMode::AddFromDrive);
    if (prompter_.showWindow(common::Prompter::Window::WebImport) && offersContribution() &&
        prompter_.confirm(kContributeQuestion))
        contribute();
}

// Only an album whose titles the user typed or took from a plain list or the
// online database's page: data from commercial pages is not the user's to
// give, and placeholder titles are no entry.
bool AddCdFlow::offersContribution()
{
    const xbase::Cursor& album = catalogue_.albums().cursor();
    const std::string sys = album.fieldTrimmed("Sys");
    if (sys.size() != 1 || (sys[0] != catalogue::source::kOnlineDatabase && sys[0] != catalogue::source::kManual &&
                            sys[0] != catalogue::source::kOther))
        return false;
    const SubmissionAlbum saved = loadSubmissionAlbum(catalogue_, album.fieldTrimmed("ID"));
    return !saved.trackTitles.empty() && saved.trackTitles.front().rfind(kPlaceholderTitle, 0) != 0;
}

void AddCdFlow::contribute()
{
    FreedbSubmission& submission = parts_.submission;
    bool ended = false;
    const QMetaObject::Connection taken = QObject::connect(&submission, &FreedbSubmission::finished, [&] {
        ended = true;
        parts_.wait.end();
    });
    if (submission.start() && !ended)
        parts_.wait.wait([&submission] { submission.cancel(); });
    QObject::disconnect(taken);
}

}  // namespace lookup
