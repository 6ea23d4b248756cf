#include "editing/album_detail_submission.h"

#include "catalogue/album_codes.h"
#include "lookup/submission_album.h"

namespace editing {
namespace {

const std::string kPlaceholderTitle = "Track ";

bool submittable(std::string_view sys)
{
    namespace source = catalogue::source;
    return sys.size() == 1 && (sys[0] == source::kOnlineDatabase || sys[0] == source::kManual || sys[0] == source::kOther);
}

}  // namespace

AlbumDetailSubmission::AlbumDetailSubmission(catalogue::Catalogue& catalogue, common::ProgramState& state,
                                             common::Prompter& prompter, lookup::CdDriveCommands& drive,
                                             lookup::FreedbSubmission& submission, lookup::ExchangeWait& wait)
    : catalogue_(catalogue),
      state_(state),
      prompter_(prompter),
      submission_(submission),
      wait_(wait),
      drive_(drive)
{
}

AlbumDetailSubmission::Outcome AlbumDetailSubmission::run()
{
    if (!submittable(catalogue_.albums()->fieldTrimmed("Sys")))
        return Outcome::Refused;
    if (!drive_.finder().findCdInCollection(true))
        return Outcome::Ended;
    // A placeholder title, or no track at all, is no entry.
    const lookup::SubmissionAlbum album = lookup::loadSubmissionAlbum(catalogue_, state_.lookup.currentAlbumId);
    if (album.trackTitles.empty() || album.trackTitles.front().starts_with(kPlaceholderTitle)) {
        prompter_.info(kPlaceholderTitlesMessage);
        return Outcome::Ended;
    }
    if (!prompter_.confirm("OK to send info on \r" + album.album + "\r to remote database?"))
        return Outcome::Ended;
    bool ended = false;
    const QMetaObject::Connection taken =
        QObject::connect(&submission_, &lookup::FreedbSubmission::finished, [this, &ended] {
            ended = true;
            wait_.end();
        });
    if (submission_.start() && !ended)
        wait_.wait([this] { submission_.cancel(); });
    QObject::disconnect(taken);
    return Outcome::Ended;
}

}  // namespace editing
