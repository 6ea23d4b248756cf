#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "common/prompter.h"

namespace search {

// The fields of the quick search box's list, in its order.
enum class SearchField { Artist, Album, Label, Notes, Track };

inline constexpr std::array<std::string_view, 5> kSearchFieldNames{"Artist", "Album", "Label/Directory",
                                                                  "Notes (Memo)", "Track"};

// What a search found, for its result window.
struct SearchHits {
    SearchField field;
    // artists, albumLookup or allTracks, filtered to the hits, on the first.
    catalogue::TableView& view;
    std::string caption;
    std::uint32_t count;
    // As typed.
    std::string text;
};

// "Find It": the hits of a text in one field, found on the second views
// (artists, albumLookup, allTracks) so that the albums grid keeps its order and
// position until the user picks a hit. The artist search goes through
// ARTISTS and so also finds the artists of single tracks on multi-artist
// albums.
class QuickSearch {
public:
    // Shows the hits (the result window, modal) and returns when it closes.
    using ResultWindow = std::function<void(const SearchHits&)>;

    QuickSearch(catalogue::Catalogue& catalogue, common::Prompter& prompter);

    // Searches for `text` exactly as typed (Windows-1252, not trimmed). Empty
    // text: nothing happens. No hits: the message "Could not find: " + text.
    // Else `show` gets the hits. The search filters are switched off again
    // in every case. Returns whether hits were shown. Throws
    // xbase::XbaseError when a view cannot be opened or read.
    bool find(SearchField field, const std::string& text, const ResultWindow& show);

    // The filter expression of a search; any text makes a valid one.
    static std::string filterFor(SearchField field, std::string_view text);
    // The result window's caption for `count` hits.
    static std::string captionFor(SearchField field, std::string_view text, std::uint32_t count);

private:
    catalogue::TableView& viewFor(SearchField field);
    void prepare(SearchField field);
    void prepareLookups();
    bool run(SearchField field, const std::string& text, const ResultWindow& show);
    void restore(SearchField field);

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    // albumLookup's order while it serves the track results' lookups.
    std::optional<std::string> filterOrder_;
};

}  // namespace search
