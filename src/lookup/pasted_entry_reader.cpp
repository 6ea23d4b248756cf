#include "lookup/pasted_entry_reader.h"

#include <cstdio>
#include <string_view>

#include "catalogue/display_text.h"
#include "common/trim_and_case.h"
#include "lookup/xmcd_text.h"
#include "platform/disc_toc.h"

namespace lookup {
namespace {

using namespace xmcd;

constexpr std::size_t kRevisionStart = 12;  // 13th character
constexpr std::size_t kShortValueMax = 99;
constexpr std::size_t kTitleValueMax = 240;
constexpr std::size_t kNameMax = 254;
constexpr std::size_t kDiscIdLength = 8;
constexpr std::size_t kLongestNonOffsetLine = 4;  // "#" and the like end the offsets
// Numbers past these describe no disc; they are skipped like text.
constexpr long kLargestOffset = 256L * platform::kFramesPerMinute;
constexpr long kLongestDisc = 256L * 60;

bool contains(std::string_view line, std::string_view key) { return line.find(key) != std::string_view::npos; }

// Everything after the first "=", or nothing when there is none.
std::optional<std::string_view> valueOf(std::string_view line)
{
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return line.substr(eq + 1);
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

class PastedEntryReader {
public:
    PastedEntryReader(EditMode mode, AlbumEntry& entry) : mode_(mode), entry_(entry) {}

    void read(std::string_view line)
    {
        switch (stage_) {
        case Stage::OffsetsHeader:
            if (contains(line, "Track frame offsets"))
                stage_ = Stage::Offsets;
            break;
        case Stage::Offsets:
            readOffset(line);
            break;
        case Stage::DiscLength:
            if (contains(line, "Disc length:"))
                readDiscLength(line);
            break;
        case Stage::Header:
            if (contains(line, "# Revision"))
                readRevision(line);
            else if (contains(line, "DISCID"))
                readDiscId(line);
            break;
        case Stage::Titles:
            readTitleStage(line);
            break;
        }
    }

    PastedEntryOutcome finish()
    {
        outcome_.accepted = stage_ == Stage::Titles && !discTitle_.empty();
        if (outcome_.accepted && isNewAlbumMode(mode_)) {
            const auto slash = discTitle_.find('/');
            const std::string_view title = discTitle_;
            if (slash == std::string::npos) {
                entry_.artist.clear();
                entry_.album = head(common::trimmed(title), kNameMax);
            } else {
                entry_.artist = head(common::trimmed(title.substr(0, slash)), kNameMax);
                entry_.album = head(common::trimmed(title.substr(slash + 1)), kNameMax);
            }
        }
        return outcome_;
    }

private:
    enum class Stage { OffsetsHeader, Offsets, DiscLength, Header, Titles };

    void readOffset(std::string_view line)
    {
        const std::string_view text = common::trimmed(line);
        if (text.size() <= kLongestNonOffsetLine) {
            stage_ = Stage::DiscLength;
            return;
        }
        const auto hash = text.find('#');
        const auto offset =
            integerValue(common::trimmed(hash == std::string_view::npos ? text : text.substr(hash + 1)));
        if (!offset || *offset < 0 || *offset > kLargestOffset)
            return;
        if (!offsets_.empty())
            runningSeconds_ += (*offset - offsets_.back()) / platform::kFramesPerSecond;
        offsets_.push_back(*offset);
    }

    void readDiscLength(std::string_view line)
    {
        const auto colon = line.find(':');
        const auto unit = line.find("seconds", colon);
        if (unit == std::string_view::npos)
            return;
        const auto seconds = integerValue(common::trimmed(line.substr(colon + 1, unit - colon - 1)));
        if (!seconds || *seconds < 0 || *seconds > kLongestDisc)
            return;
        outcome_.discLength = *seconds;
        stage_ = Stage::Header;
    }

    void readRevision(std::string_view line)
    {
        if (!isNewAlbumMode(mode_) || line.size() <= kRevisionStart || line[kRevisionStart] < '0' ||
            line[kRevisionStart] > '9')
            return;
        entry_.revision = std::string(common::trimmed(head(line.substr(kRevisionStart), kShortValueMax)));
    }

    void readDiscId(std::string_view line)
    {
        const auto value = valueOf(line);
        if (!value)
            return;
        const std::string_view id = head(common::trimmedLeft(*value), kDiscIdLength);
        if (id.size() != kDiscIdLength)
            return;
        for (char c : id)
            if (!isHexDigit(c))
                return;
        outcome_.discId = common::lowerAscii(id);
        outcome_.checkCatalogue = isNewAlbumMode(mode_);
        stage_ = Stage::Titles;
    }

    void readTitleStage(std::string_view line)
    {
        const auto value = valueOf(line);
        if (!value)
            return;
        if (contains(line, "DTITLE"))
            discTitle_ += head(*value, kTitleValueMax);
        else if (contains(line, "DGENRE")) {
            if (isNewAlbumMode(mode_))
                entry_.genre = std::string(*value);
        } else if (contains(line, "DYEAR")) {
            if (isNewAlbumMode(mode_))
                entry_.year = std::string(*value);
        } else if (contains(line, "TTITLE"))
            readTrackTitle(line, *value);
    }

    void readTrackTitle(std::string_view line, std::string_view value)
    {
        const auto e = line.find('E');
        const auto eq = line.find('=');
        if (e >= eq)
            return;
        const std::string_view indexText = line.substr(e + 1, eq - e - 1);
        const auto index = integerValue(common::trimmed(indexText));
        if (!index || *index < 0 || *index >= platform::kMaxDiscTracks)
            return;
        const auto row = static_cast<std::size_t>(*index) + 1;
        if (isNewAlbumMode(mode_))
            entry_.tracks.resize(row);
        // Only the first line of a title counts.
        if (indexText == previousIndexText_)
            return;
        previousIndexText_ = std::string(indexText);
        if (row > entry_.tracks.size())
            return;
        TrackRow& track = entry_.tracks[row - 1];
        char number[24];
        std::snprintf(number, sizeof number, "%.2zu", row);
        track.number = number;
        track.title = head(common::trimmed(value), kTitleValueMax);
        if (isNewAlbumMode(mode_))
            track.length = lengthText(row);
    }

    // The row's length from the offsets; "" for a row no offset describes.
    std::string lengthText(std::size_t row) const
    {
        long seconds;
        if (row == offsets_.size())
            seconds = outcome_.discLength.value_or(0) - runningSeconds_ - 2;
        else if (row < offsets_.size())
            seconds = (offsets_[row] - offsets_[row - 1]) / platform::kFramesPerSecond - 2;
        else
            return {};
        // Offsets that go backwards make no length.
        return catalogue::timeText(seconds < 0 ? 0 : seconds, 2);
    }

    const EditMode mode_;
    AlbumEntry& entry_;
    Stage stage_ = Stage::OffsetsHeader;
    std::vector<long> offsets_;
    long runningSeconds_ = 0;
    std::string discTitle_;
    std::string previousIndexText_ = "x";
    PastedEntryOutcome outcome_;
};

}  // namespace

PastedEntryOutcome readPastedLines(const std::vector<std::string>& lines, EditMode& mode, AlbumEntry& entry)
{
    PastedEntryReader reader(mode, entry);
    for (const std::string& line : lines)
        reader.read(withoutLineEnd(line));
    PastedEntryOutcome outcome = reader.finish();
    if (outcome.accepted && isNewAlbumMode(mode))
        mode = EditMode::AddFromDrive;
    return outcome;
}

}  // namespace lookup
