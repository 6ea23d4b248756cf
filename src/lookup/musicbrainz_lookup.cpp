#include "lookup/musicbrainz_lookup.h"

#include <filesystem>

#include <QString>

#include "catalogue/album_codes.h"
#include "common/ansi_text.h"
#include "common/notes_tags.h"

namespace lookup {
namespace {

using Outcome = MusicBrainzClient::Outcome;
using Ending = MusicBrainzAnswer::Ending;

// The picture at `path` as the notes name it (Windows-1252): the whole
// path, or where the letters of the program folder have no Windows-1252
// form, the path from the program folder, which is the working directory.
std::string notesPath(const std::string& path, const std::string& coversFolder)
{
    bool lossy = false;
    std::string whole = common::toAnsi(QString::fromStdString(path), &lossy);
    if (!lossy)
        return whole;
    const std::filesystem::path file(path);
    return (std::filesystem::path(coversFolder).filename() / file.filename()).string();
}

Ending endingOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Found:
        return Ending::Found;
    case Outcome::NotFound:
        return Ending::NotFound;
    case Outcome::Failed:
        return Ending::Failed;
    case Outcome::Cancelled:
        return Ending::Cancelled;
    }
    return Ending::Failed;
}

}  // namespace

MusicBrainzLookup::MusicBrainzLookup(MusicBrainzExchangeRunner& runner, ExchangeWait& wait, common::Prompter& prompter,
                                     const settings::ProgramSettings& settings, std::string coversFolder,
                                     Chooser chooser, Status showStatus)
    : runner_(runner),
      wait_(wait),
      prompter_(prompter),
      settings_(settings),
      coversFolder_(std::move(coversFolder)),
      chooser_(std::move(chooser)),
      showStatus_(std::move(showStatus))
{
}

MusicBrainzAnswer MusicBrainzLookup::disc(const platform::DiscToc& toc)
{
    return told(chosen(await("Asking MusicBrainz about the disc", [&] { return runner_.startDiscLookup(toc); })));
}

MusicBrainzAnswer MusicBrainzLookup::barcode(const std::string& code)
{
    MusicBrainzAnswer answer =
        chosen(await("Asking MusicBrainz about bar code " + code, [&] { return runner_.startBarcodeSearch(code); }));
    if (answer.ending != Ending::Found)
        return answer;
    // A search gives no tracks: the release chosen is read whole.
    const std::string id = answer.release.id;
    return told(chosen(await("Reading the release from MusicBrainz", [&] { return runner_.startRelease(id); })));
}

std::vector<std::string> MusicBrainzLookup::releaseNotes(const MusicBrainzRelease& release)
{
    std::vector<std::string> lines{"URL=" + musicBrainzReleasePage(settings_.musicBrainzUrl, release.id)};
    if (const auto cover = offerFrontCover(release))
        lines.push_back(*cover);
    return lines;
}

void MusicBrainzLookup::fillForm(AlbumForm& form, const MusicBrainzRelease& release, EditMode mode, AlbumEntry entry)
{
    // A look-up by TOC or bar code may find a release with other tracks.
    if (const std::string notice = trackCountNotice(release, entry.tracks.size());
        mode != EditMode::AddOther && !notice.empty())
        prompter_.info(notice);
    takeRelease(release, mode, entry);
    if (isNewAlbumMode(mode)) {
        const std::vector<std::string> lines = releaseNotes(release);
        entry.notes.insert(entry.notes.end(), lines.begin(), lines.end());
    }
    form.setSource(catalogue::source::kMusicBrainz);
    form.setEntry(entry, mode);
}

bool MusicBrainzLookup::addFrontCover(std::string& notes, const std::string& album)
{
    const auto page = common::NotesTags(notes).url();
    const auto id = page ? musicBrainzReleaseOfPage(*page, settings_.musicBrainzUrl) : std::nullopt;
    if (!id)
        return false;
    MusicBrainzRelease release;
    release.id = *id;
    release.entry.album = album;
    if (const auto cover = offerFrontCover(release)) {
        if (!notes.empty() && !notes.ends_with('\n'))
            notes += "\r\n";
        notes += *cover;
    }
    return true;
}

std::optional<std::string> MusicBrainzLookup::offerFrontCover(const MusicBrainzRelease& release)
{
    if (!release.frontCover ||
        !prompter_.confirm("Download the front cover of \"" + release.entry.album +
                           "\" from the Cover Art Archive?\rIt is kept in the "
                           "covers folder and named in the notes."))
        return std::nullopt;
    const std::optional<MusicBrainzClient::CoverResult> cover =
        answerTo("Downloading the front cover from the Cover Art Archive", &MusicBrainzExchangeRunner::coverFinished,
                 [&] { return runner_.startCoverDownload(release.id, coversFolder_); });
    if (!cover)
        return std::nullopt;
    if (cover->outcome == Outcome::Found)
        return "COVER=" + notesPath(cover->path, coversFolder_);
    if (cover->outcome == Outcome::NotFound)
        prompter_.info("The Cover Art Archive has no front cover for this release.");
    else if (cover->outcome == Outcome::Failed)
        prompter_.error("The cover could not be downloaded:\r" + common::toAnsi(common::fromMessage(cover->message)));
    return std::nullopt;
}

template <typename Answer>
std::optional<Answer> MusicBrainzLookup::answerTo(const std::string& status,
                                                  void (MusicBrainzExchangeRunner::*finished)(const Answer&),
                                                  const std::function<bool()>& start)
{
    std::optional<Answer> answer;
    const QMetaObject::Connection taken = QObject::connect(&runner_, finished, [&](const Answer& result) {
        answer = result;
        wait_.end();
    });
    runner_.setService(musicBrainzServiceFromSettings(settings_));
    showStatus_(status);
    if (start())
        wait_.wait([this] { runner_.cancel(); });
    QObject::disconnect(taken);
    showStatus_("");
    return answer;
}

MusicBrainzClient::Result MusicBrainzLookup::await(const std::string& status, const std::function<bool()>& start)
{
    const MusicBrainzClient::Result busy{Outcome::Failed, "Another MusicBrainz request is still under way.", {}};
    MusicBrainzClient::Result result =
        answerTo(status, &MusicBrainzExchangeRunner::lookupFinished, start).value_or(busy);
    result.message = common::toAnsi(common::fromMessage(result.message));
    return result;
}

MusicBrainzAnswer MusicBrainzLookup::chosen(MusicBrainzClient::Result result)
{
    MusicBrainzAnswer answer{endingOf(result.outcome), std::move(result.message), {}};
    if (answer.ending != Ending::Found)
        return answer;
    std::size_t index = 0;
    if (result.releases.size() > 1) {
        std::vector<std::string> matches;
        for (const MusicBrainzRelease& release : result.releases)
            matches.push_back(musicBrainzMatchText(release));
        const std::optional<std::size_t> choice = chooser_(matches);
        if (!choice || *choice >= matches.size())
            return {Ending::NotFound, {}, {}};
        index = *choice;
    }
    answer.release = std::move(result.releases[index]);
    return answer;
}

MusicBrainzAnswer MusicBrainzLookup::told(MusicBrainzAnswer answer)
{
    if (answer.ending == Ending::Found && answer.release.lossy)
        prompter_.info("Some letters of this release have no place in the catalogue's character set "
                       "(Windows-1252): they show as \"?\".");
    return answer;
}

}  // namespace lookup
