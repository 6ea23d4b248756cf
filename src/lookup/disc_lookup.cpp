#include "lookup/disc_lookup.h"

#include "catalogue/display_text.h"
#include "common/trim_and_case.h"
#include "lookup/cddb_commands.h"
#include "lookup/toc_arithmetic.h"

namespace lookup {
namespace {

constexpr int kNumberWidth = 3;
constexpr int kTimeWidth = 2;

std::vector<TrackRow> defaultTrackRows(const platform::DiscToc& toc)
{
    std::vector<TrackRow> rows;
    for (int i = 0; i < toc.trackCount; ++i) {
        const long number = i + 1;
        rows.push_back({catalogue::numberText(number, kNumberWidth),
                        catalogue::timeText(trackLengthSeconds(toc, i), kTimeWidth),
                        "Track " + std::to_string(number)});
    }
    return rows;
}

}  // namespace

AlbumEntry discEntry(AlbumEntry entry, common::LookupState& state, const std::string& defaultGenre)
{
    state.runningSeconds = discLengthSeconds(state.currentToc);
    entry.genre = defaultGenre;
    entry.year.clear();
    entry.revision.assign(1, '0');
    entry.notes.clear();
    entry.tracks = defaultTrackRows(state.currentToc);
    return entry;
}

DiscLookup::DiscLookup(CddbExchangeRunner& runner, common::LookupState& state, QObject* parent)
    : QObject(parent), runner_(runner), state_(state)
{
    connect(&runner_, &CddbExchangeRunner::lookupFinished, this, &DiscLookup::takeResult);
}

bool DiscLookup::start(AlbumEntry entry, const std::string& defaultGenre)
{
    if (!runner_.startLookup(cddbQueryCommand(common::lowerAscii(state_.currentAlbumId), state_.currentToc)))
        return false;
    // The answer comes through the event loop, so nothing below races it.
    entry_ = discEntry(std::move(entry), state_, defaultGenre);
    running_ = true;
    return true;
}

void DiscLookup::takeResult(const CddbLookupResult& result)
{
    if (!running_)
        return;
    running_ = false;
    DiscLookupOutcome outcome{result.outcome, result.notFound, result.showEditForm,
                              result.outcome == CddbOutcome::Cancelled ? "" : result.message, std::move(entry_)};
    // Only an entry read whole: a chosen match whose entry never came leaves
    // the reset entry, as does a lookup that ended early.
    if (result.outcome == CddbOutcome::Completed && result.entry)
        fillAlbumEntry(result, outcome.entry);
    emit finished(outcome);
}

}  // namespace lookup
