// The tracks view on a generated collection: from a missing work table to
// the view's first screenful (table, five tags, the view opened in order
// Track and its rows counted), the index alone when only it is missing, and
// the DJ upload file of every row. Prints the numbers; a benchmark, not a
// test: nothing here passes or fails.
//
//   tracks_view_bench [albums]      (default 20000)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "catalogue/catalogue.h"
#include "catalogue/program_files.h"
#include "collection_generator.h"
#include "playback/dj_export.h"
#include "playback/tracks_view_builder.h"

namespace {

constexpr std::uint32_t kScreenRows = 30;

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albumCount = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir = bench::freshCollectionDir("tracks-view-bench", albumCount);
    const bench::CollectionSize size = bench::generateCollection(dir, albumCount);
    catalogue::Catalogue catalogue(dir);
    catalogue.createMissingFilesAndOpenViews();
    catalogue::TableView& view = catalogue.tracksView();
    playback::TracksViewBuilder builder(catalogue, {});
    bench::NoProgress progress;

    auto openView = [&] {
        bench::check(builder.build(progress) == playback::TracksViewBuilder::Outcome::Ready, "build");
        view.setOrder("Track");
        view.open();
        bench::check(view->count() > 0, "rows");
        for (std::uint32_t row = 0; row < kScreenRows; ++row)
            bench::check(view->recnoAtRow(row) > 0, "first screenful");
    };
    auto remove = [&](std::string_view file) {
        view.close();
        catalogue::removeFileNoCase(dir, file);
    };
    std::printf("%u albums, %u tracks, %u artist rows\n", size.albums, size.tracks, size.artists);
    bench::measure("table and index built, view open", [&] { remove("TVIEW.DBF"); }, openView);
    std::printf("  %-44s %u\n", "rows of the view", view->count());
    bench::measure("index alone built, view open", [&] { remove("TVIEW.CDX"); }, openView);
    bench::measure("both kept, view open", [&] { view.close(); }, openView);
    const std::string csv = catalogue::joinPath(dir, playback::kDjExportFileName);
    bench::measure("DJ export of every row (DJintel.csv)", [] {}, [&] { playback::writeDjExport(view.cursor(), csv); });
    std::printf("  %-44s %ju bytes\n", "DJintel.csv", static_cast<std::uintmax_t>(std::filesystem::file_size(csv)));
    view.close();
    std::filesystem::remove_all(dir);
    return 0;
}
