#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace playback {

// What the marking dialog shows and edits for one album: the entries of
// the tracks not marked and of the marked ones (see mark_entry.h), each
// list sorted by its text, and the running time of the marked tracks: their
// lengths plus a 2-second gap between tracks.
class PlaylistMarks {
public:
    static constexpr long kGapSeconds = 2;
    // NR holds at most three digits.
    static constexpr long kHighestTrack = 999;

    // Loading, as the dialog opens (MarksStore::load). Numbers outside 1 to
    // kHighestTrack are not kept.
    void setTrackLength(long number, long seconds);
    void addAvailable(std::string entry);
    // A marked track with a length adds it and one gap to the running total.
    void addMarked(std::string entry, long seconds);
    // Ends loading: one gap less (none after the last track), and whether
    // the running time is shown at all (the album's last track has a length).
    void finishLoading(bool runningTimeShown);

    const std::vector<std::string>& available() const { return available_; }
    const std::vector<std::string>& marked() const { return marked_; }
    bool runningTimeShown() const { return runningTimeShown_; }
    // The running time as shown: minutes in three characters (" 62:05").
    std::string runningText() const;
    long runningSeconds() const { return runningSeconds_; }
    std::size_t markedCount() const { return marked_.size(); }

    // The entries at `rows` of one list move to the other; then the
    // running time is worked out again from the lengths of the marked
    // tracks, and is zero when one of them has no length. Rows out of range
    // are ignored.
    void include(const std::vector<std::size_t>& rows);
    void exclude(const std::vector<std::size_t>& rows);
    void includeAll();
    // Nothing is marked: zero running time.
    void excludeAll();

    // The NR of every marked entry, in list order, as the marks are saved.
    std::vector<std::string> markedNumbers() const;

private:
    static void insertSorted(std::vector<std::string>& list, std::string entry);
    static void move(std::vector<std::string>& from, std::vector<std::string>& to, const std::vector<std::size_t>& rows);
    long lengthOf(long number) const;
    void recalcRunningTime();

    std::vector<std::string> available_;
    std::vector<std::string> marked_;
    std::array<long, kHighestTrack + 1> lengths_{};
    long runningSeconds_ = 0;
    bool runningTimeShown_ = false;
};

}  // namespace playback
