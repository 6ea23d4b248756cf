// The quick search on a generated collection of at least 300,000 tracks:
// from "Find It" to the result window's data (the hits counted and the
// first screenful of rows read, looked-up titles included). Prints the
// numbers; a benchmark, not a test: nothing here passes or fails.
//
//   quick_search_bench [albums]      (default 21600, about 302,000 tracks)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_prompter.h"
#include "catalogue/catalogue.h"
#include "collection_generator.h"
#include "search/quick_search.h"

namespace {

using Clock = std::chrono::steady_clock;
using search::SearchField;

constexpr int kRuns = 7;
constexpr std::uint32_t kScreenRows = 25;

struct Timing {
    double median = 0;
    double slowest = 0;
    std::uint32_t hits = 0;
    std::uint32_t cells = 0;  // cells of the first screenful read
};

// Runs one search kRuns times; the "window" reads what a grid first shows.
Timing timeSearch(catalogue::Catalogue& catalogue, SearchField field, const std::string& text,
                  const std::vector<std::string>& columns)
{
    BenchPrompter prompter(false, false);  // "Could not find" comes through here
    std::vector<double> runs;
    Timing timing;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        auto elapsed = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
        double ms = -1;
        search::QuickSearch(catalogue, prompter).find(field, text, [&](const search::SearchHits& hits) {
            timing.hits = hits.count;
            timing.cells = 0;
            for (std::uint32_t r = 0; r < kScreenRows && hits.view->goToRow(r); ++r)
                for (const std::string& column : columns)
                    timing.cells += hits.view->field(column).empty() ? 0 : 1;
            ms = elapsed();
        });
        runs.push_back(ms < 0 ? elapsed() : ms);
    }
    std::sort(runs.begin(), runs.end());
    timing.median = runs[runs.size() / 2];
    timing.slowest = runs.back();
    return timing;
}

void row(const char* what, const Timing& t)
{
    std::printf("  %-38s %8.2f ms median %8.2f ms slowest %7u hits %4u cells\n", what, t.median, t.slowest, t.hits,
                t.cells);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albums = argc > 1 ? static_cast<std::uint32_t>(std::atol(argv[1])) : 21600;
    const std::string dir = bench::freshCollectionDir("search-bench", albums);
    const bench::CollectionSize size = bench::generateCollection(dir, albums);
    {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
        std::printf("\n%u albums, %u tracks, %u artist rows (target: a track search under 100 ms to the "
                    "result window's data)\n",
                    size.albums, size.tracks, size.artists);
        const std::vector<std::string> trackColumns{"NR", "TRACK", "Artist", "album"};
        row("tracks containing \"storm fire\"", timeSearch(catalogue, SearchField::Track, "storm fire", trackColumns));
        row("tracks containing \"love\"", timeSearch(catalogue, SearchField::Track, "love", trackColumns));
        row("tracks containing \"zzz\" (no hits)", timeSearch(catalogue, SearchField::Track, "zzz", trackColumns));
        row("artists containing \"moon\"",
            timeSearch(catalogue, SearchField::Artist, "moon", {"NR", "ARTIST", "Album", "Label"}));
        row("albums containing \"night\"",
            timeSearch(catalogue, SearchField::Album, "night", {"ALBUM", "ARTIST", "LABEL", "GENRE"}));
        row("notes containing \"*paris*\"",
            timeSearch(catalogue, SearchField::Notes, "paris", {"ALBUM", "ARTIST", "LABEL", "GENRE"}));
    }
    std::filesystem::remove_all(dir);
    return 0;
}
