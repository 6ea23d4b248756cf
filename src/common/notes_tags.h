#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

// The tagged lines of an album's notes, matched case-sensitively at the start
// of a line. The notes stay the caller's: every view points into them.
namespace common {

// One "EXTT<index>=<value>" line; the index counts from 0 for track 1.
struct TrackExtension {
    std::size_t track;
    std::string_view value;
    std::string_view line;
};

class NotesTags {
public:
    // Requires: `notes` outlives this object. Lines end with LF or CR LF; a
    // line end at the very end opens no further line.
    explicit NotesTags(std::string_view notes);

    const std::vector<std::string_view>& lines() const { return lines_; }

    // The text after the last "COVER=" line's tag, or nothing without one.
    std::optional<std::string_view> cover() const;
    // The text after the last "URL=" line's tag.
    std::optional<std::string_view> url() const;
    // The values of every "EXTD=" line, in order.
    std::vector<std::string_view> albumExtensions() const;
    // Every "EXTT" line whose index is 1 to kMaxIndexDigits decimal digits
    // followed by "=", in order.
    std::vector<TrackExtension> trackExtensions() const;
    // Per track index, the value of its first line.
    std::map<std::size_t, std::string_view> firstTrackExtensions() const;

    static constexpr std::size_t kMaxIndexDigits = 3;

private:
    std::optional<std::string_view> lastValue(std::string_view tag) const;

    std::vector<std::string_view> lines_;
};

// `value` without the escaped line breaks (backslash, "n") at either end,
// taken off repeatedly; those inside stay.
std::string_view withoutEdgeLineBreaks(std::string_view value);

}  // namespace common
