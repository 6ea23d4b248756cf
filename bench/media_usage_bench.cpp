// The long passes of the detail view over a generated collection (20,000
// albums unless told): the time used per medium over every album, and the
// detail page of one album in label order (its totals and label summary
// read every album and track). A cold pass opens the tables first, as the
// first opening of a window after start does. Prints the numbers; a
// benchmark, not a test: nothing here passes or fails.
//
//   media_usage_bench [albums]      (default 20000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "catalogue/catalogue.h"
#include "collection_generator.h"
#include "editing/album_detail.h"
#include "editing/media_usage.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double millisecondsOf(const std::function<void()>& step)
{
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char* what, const std::function<void()>& step)
{
    double best = 1e12;
    for (int i = 0; i < kRuns; ++i)
        best = std::min(best, millisecondsOf(step));
    std::printf("%-40s best of %d: %8.1f ms\n", what, kRuns, best);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albums = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir = bench::freshCollectionDir("media-usage-bench", albums);
    const bench::CollectionSize size = bench::generateCollection(dir, albums);
    std::printf("%u albums, %u tracks, %u marks\n", size.albums, size.tracks, size.marks);
    {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
        std::size_t labels = 0;
        std::printf("%-40s cold: %8.1f ms\n", "time used per medium",
                    millisecondsOf([&] { labels = editing::MediaUsage::allLabels(catalogue).size(); }));
        std::printf("%zu labels\n", labels);
        report("time used per medium", [&] { editing::MediaUsage::allLabels(catalogue); });
        catalogue.albums().setOrder("Label");
        catalogue.albums()->last();  // a labelled album
        report("detail page in label order", [&] { editing::AlbumDetail::ofCurrentAlbum(catalogue); });
    }
    std::filesystem::remove_all(dir);
}
