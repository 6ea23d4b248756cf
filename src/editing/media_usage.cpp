#include "editing/media_usage.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

#include "catalogue/display_text.h"
#include "common/trim_and_case.h"
#include "xbase/table.h"

namespace editing {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The table a view is on, joined (the view may be closed).
std::shared_ptr<xbase::Table> tableOf(catalogue::Catalogue& catalogue, catalogue::TableView& view)
{
    return xbase::Table::open(view.path(), xbase::OpenMode::Shared, catalogue.fileSystem());
}

class FieldReader {
public:
    FieldReader(const xbase::Table& table, std::string_view name) : table_(table), field_(table.fieldIndex(name)) {}
    std::string operator()(const std::uint8_t* record) const { return table_.fieldText(record, field_); }

private:
    const xbase::Table& table_;
    int field_;
};

bool live(const std::uint8_t* record) { return record[0] != '*'; }

// Label groups by album ID, then each album's counted tracks added to them.
std::vector<MediaUsageRow> usage(catalogue::Catalogue& catalogue, std::optional<std::string_view> onlyLabel)
{
    std::map<std::string, MediaUsageRow> groups;
    std::unordered_map<std::string, MediaUsageRow*> albumGroups;
    const auto albums = tableOf(catalogue, catalogue.albums());
    const FieldReader albumId(*albums, "ID");
    const FieldReader albumLabel(*albums, "Label");
    albums->forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!live(record))
            return;
        const std::string text = albumLabel(record);
        const std::string_view label = withoutTrailingBlanks(text);
        if (common::trimmed(label).empty() || (onlyLabel && label != *onlyLabel))
            return;
        MediaUsageRow& group = groups[std::string(label)];
        group.label = label;
        ++group.albums;
        albumGroups.emplace(std::string(common::trimmed(albumId(record))), &group);
    });
    if (groups.empty())
        return {};

    // ID and NR as stored, so a mark finds its track as a key search would.
    std::set<std::pair<std::string, std::string>> marks;
    std::set<std::string> markedAlbums;
    const auto playlist = tableOf(catalogue, catalogue.playlist());
    const FieldReader markId(*playlist, "ID");
    const FieldReader markNr(*playlist, "NR");
    playlist->forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!live(record))
            return;
        std::string id(common::trimmed(markId(record)));
        if (!albumGroups.contains(id))
            return;
        marks.emplace(id, markNr(record));
        markedAlbums.insert(std::move(id));
    });

    const auto tracks = tableOf(catalogue, catalogue.allTracks());
    const FieldReader trackId(*tracks, "ID");
    const FieldReader trackNr(*tracks, "NR");
    const FieldReader trackSecs(*tracks, "Secs");
    tracks->forEachRecord([&](std::uint32_t, const std::uint8_t* record) {
        if (!live(record))
            return;
        const std::string id(common::trimmed(trackId(record)));
        const auto group = albumGroups.find(id);
        if (group == albumGroups.end() || (markedAlbums.contains(id) && !marks.contains({id, trackNr(record)})))
            return;
        MediaUsageRow& row = *group->second;
        const long seconds = MediaUsage::storedSeconds(trackSecs(record));
        row.seconds += seconds != 0 ? seconds + MediaUsage::kGapSeconds : MediaUsage::kEstimatedSeconds;
        row.estimated = row.estimated || seconds == 0;
        ++row.tracks;
    });

    std::vector<MediaUsageRow> rows;
    rows.reserve(groups.size());
    for (auto& [label, row] : groups)
        rows.push_back(std::move(row));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const MediaUsageRow& a, const MediaUsageRow& b) { return a.seconds < b.seconds; });
    return rows;
}

}  // namespace

std::vector<MediaUsageRow> MediaUsage::allLabels(catalogue::Catalogue& catalogue)
{
    return usage(catalogue, std::nullopt);
}

std::optional<MediaUsageRow> MediaUsage::forLabel(catalogue::Catalogue& catalogue, std::string_view label)
{
    label = withoutTrailingBlanks(label);
    if (common::trimmed(label).empty())
        return std::nullopt;
    std::vector<MediaUsageRow> rows = usage(catalogue, label);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

std::string MediaUsage::line(const MediaUsageRow& row)
{
    std::string text = catalogue::timeText(row.seconds, 3) + " " + row.label;
    if (row.label.size() < kLabelWidth)
        text.append(kLabelWidth - row.label.size(), ' ');
    return text + std::to_string(row.tracks);
}

long MediaUsage::storedSeconds(std::string_view secs)
{
    secs = common::trimmed(secs);
    long value = 0;
    const auto [end, error] = std::from_chars(secs.data(), secs.data() + secs.size(), value);
    return error == std::errc() && end == secs.data() + secs.size() && value > 0 ? value : 0;
}

}  // namespace editing
