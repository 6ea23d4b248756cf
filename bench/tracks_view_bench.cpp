// The tracks view on a generated collection: from a missing work table to
// the view's first screenful (table, five tags, the view opened in order
// Track and its rows counted), the index alone when only it is missing, and
// the DJ upload file of every row. Prints the numbers; a benchmark, not a
// test: nothing here passes or fails.
//
//   tracks_view_bench [albums]      (default 20000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/program_files.h"
#include "collection_generator.h"
#include "playback/dj_export.h"
#include "playback/tracks_view_builder.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;
constexpr std::uint32_t kScreenRows = 30;

class NoProgress : public common::Progress {
public:
    void advance(std::size_t, std::size_t) override {}
    bool cancelRequested() const override { return false; }
};

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::exit(1);
    }
}

// Runs `prepare` untimed, then times `step`: the first run in the process
// (cold memory, as when the program first opens the view) and the median of
// the others, in wall-clock time and this process's processor time (the
// machine is shared; the latter shows the work without the waiting).
void measure(const char* what, const std::function<void()>& prepare, const std::function<void()>& step)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        const auto start = Clock::now();
        const std::clock_t startCpu = std::clock();
        step();
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const double firstWall = wall.front(), firstCpu = cpu.front();
    std::sort(wall.begin() + 1, wall.end());
    std::sort(cpu.begin() + 1, cpu.end());
    const std::size_t middle = 1 + (wall.size() - 1) / 2;
    std::printf("  %-44s first %7.1f ms (cpu %7.1f)   median of %d more %7.1f ms (cpu %7.1f)\n", what, firstWall,
                firstCpu, kRuns - 1, wall[middle], cpu[middle]);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albumCount = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("vinora-tracks-view-bench-" + std::to_string(albumCount))).string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const bench::CollectionSize size = bench::generateCollection(dir, albumCount);
    catalogue::Catalogue catalogue(dir);
    catalogue.createMissingFilesAndOpenViews();
    catalogue::TableView& view = catalogue.tracksView();
    playback::TracksViewBuilder builder(catalogue, {});
    NoProgress progress;

    auto openView = [&] {
        check(builder.build(progress) == playback::TracksViewBuilder::Outcome::Ready, "build");
        view.setOrder("Track");
        view.open();
        check(view->count() > 0, "rows");
        for (std::uint32_t row = 0; row < kScreenRows; ++row)
            check(view->recnoAtRow(row) > 0, "first screenful");
    };
    auto remove = [&](std::string_view file) {
        view.close();
        catalogue::removeFileNoCase(dir, file);
    };
    std::printf("%u albums, %u tracks, %u artist rows\n", size.albums, size.tracks, size.artists);
    measure("table and index built, view open", [&] { remove("TVIEW.DBF"); }, openView);
    std::printf("  %-44s %u\n", "rows of the view", view->count());
    measure("index alone built, view open", [&] { remove("TVIEW.CDX"); }, openView);
    measure("both kept, view open", [&] { view.close(); }, openView);
    const std::string csv = catalogue::joinPath(dir, playback::kDjExportFileName);
    measure("DJ export of every row (DJintel.csv)", [] {}, [&] { playback::writeDjExport(view.cursor(), csv); });
    std::printf("  %-44s %ju bytes\n", "DJintel.csv", static_cast<std::uintmax_t>(std::filesystem::file_size(csv)));
    view.close();
    std::filesystem::remove_all(dir);
    return 0;
}
