// The report writer's exports of a whole generated collection with its
// tracks: the selection made (albums in artist order) and the CSV, XML and
// HTML files written, and the selection through a tracks filter (temp.dbf
// made with its five tags). Prints the numbers; a benchmark, not a test:
// nothing here passes or fails.
//
//   report_export_bench [albums]      (default 20000)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "report_bench_collection.h"
#include "reports/data_export.h"
#include "reports/html_page.h"

int main(int argc, char** argv)
{
    const std::uint32_t albumCount = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    bench::ReportBenchCollection collection("report-bench", albumCount);
    const std::string& dir = collection.dir;
    reports::RecordSelection& selection = collection.selection;
    bench::NoProgress progress;
    reports::SelectionSettings everything;
    everything.includeTracks = everything.includePlaylists = true;
    everything.order = reports::SortOrder::Artist;
    const std::vector<std::string> labels{"ALBUM", "ARTIST", "IX", "GENRE", "YR", "ID", "LABEL", "MEDIA"};
    const auto select = [&](const reports::SelectionSettings& settings) { collection.select(settings); };

    std::printf("%u albums, %u tracks, %u playlist marks\n", collection.size.albums, collection.size.tracks,
                collection.size.marks);
    bench::measure("CSV: albums, tracks, playlist", [] {}, [&] {
        select(everything);
        bench::check(reports::writeDataFiles(selection, reports::OutputKind::Csv, labels, dir, progress).size() == 3, "csv");
    });
    std::vector<std::string> xmlLabels = labels;
    xmlLabels.push_back("Notes");
    bench::measure("XML: albums (with notes), tracks, playlist", [] {}, [&] {
        select(everything);
        bench::check(reports::writeDataFiles(selection, reports::OutputKind::Xml, xmlLabels, dir, progress).size() == 3,
              "xml");
    });
    bench::measure("HTML page with tracks", [] {}, [&] {
        select(everything);
        bench::check(reports::HtmlPage::write(selection, dir + "/Vinora.html", progress), "html");
    });
    for (const char* name : {"albums.csv", "tracks.csv", "albums.xml", "tracks.xml", "Vinora.html"})
        std::printf("  %-44s %ju bytes\n", name,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(dir + "/" + name)));
    reports::SelectionSettings throughTracks = everything;
    throughTracks.tracksFilter = R"(contains(track,"love"))";
    bench::measure("selection through a tracks filter (temp.dbf)", [] {}, [&] { select(throughTracks); });
    std::printf("  %-44s %u\n", "albums in temp.dbf", selection.albums().count());
    selection.release();
    std::filesystem::remove_all(dir);
    return 0;
}
