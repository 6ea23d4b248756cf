#include "playback/playlist_marks.h"

#include <algorithm>

#include "catalogue/display_text.h"
#include "common/list_rows.h"
#include "playback/mark_entry.h"

namespace playback {
namespace {

constexpr int kRunningMinuteWidth = 3;

}  // namespace

void PlaylistMarks::setTrackLength(long number, long seconds)
{
    if (number >= 1 && number <= kHighestTrack)
        lengths_[static_cast<std::size_t>(number)] = seconds;
}

void PlaylistMarks::addAvailable(std::string entry) { insertSorted(available_, std::move(entry)); }

void PlaylistMarks::addMarked(std::string entry, long seconds)
{
    insertSorted(marked_, std::move(entry));
    if (seconds > 0)
        runningSeconds_ += seconds + kGapSeconds;
}

void PlaylistMarks::finishLoading(bool runningTimeShown)
{
    if (runningSeconds_ > kGapSeconds)
        runningSeconds_ -= kGapSeconds;
    runningTimeShown_ = runningTimeShown;
}

std::string PlaylistMarks::runningText() const { return catalogue::timeText(runningSeconds_, kRunningMinuteWidth); }

void PlaylistMarks::insertSorted(std::vector<std::string>& list, std::string entry)
{
    list.insert(std::upper_bound(list.begin(), list.end(), entry), std::move(entry));
}

void PlaylistMarks::move(std::vector<std::string>& from, std::vector<std::string>& to,
                         const std::vector<std::size_t>& rows)
{
    common::takeRowsLastFirst(from, rows, [&to](std::string entry) { insertSorted(to, std::move(entry)); });
}

void PlaylistMarks::include(const std::vector<std::size_t>& rows)
{
    move(available_, marked_, rows);
    recalcRunningTime();
}

void PlaylistMarks::exclude(const std::vector<std::size_t>& rows)
{
    move(marked_, available_, rows);
    recalcRunningTime();
}

void PlaylistMarks::includeAll()
{
    for (std::string& entry : available_)
        insertSorted(marked_, std::move(entry));
    available_.clear();
    recalcRunningTime();
}

void PlaylistMarks::excludeAll()
{
    for (std::string& entry : marked_)
        insertSorted(available_, std::move(entry));
    marked_.clear();
    runningSeconds_ = 0;
}

long PlaylistMarks::lengthOf(long number) const
{
    return number >= 1 && number <= kHighestTrack ? lengths_[static_cast<std::size_t>(number)] : 0;
}

void PlaylistMarks::recalcRunningTime()
{
    long total = 0;
    bool complete = true;
    for (const std::string& entry : marked_) {
        const long length = lengthOf(entryTrackNumber(entry));
        if (length < 1)
            complete = false;
        else
            total += length + kGapSeconds;
    }
    runningSeconds_ = complete && !marked_.empty() ? total - kGapSeconds : 0;
}

std::vector<std::string> PlaylistMarks::markedNumbers() const
{
    std::vector<std::string> numbers;
    numbers.reserve(marked_.size());
    for (const std::string& entry : marked_)
        numbers.push_back(entryNr(entry));
    return numbers;
}

}  // namespace playback
