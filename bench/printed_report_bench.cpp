// The printed report of a whole generated collection with its tracks and
// notes: from a prepared selection to page 1 drawn into an image (what the
// preview shows first), then every page laid out, every page recorded as
// a preview that draws all pages before it shows one would, and the whole
// report written as a PDF. Prints the numbers; a benchmark, not a test:
// nothing here passes or fails.
//
//   printed_report_bench [albums]      (default 20000)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "bench_support.h"
#include "report_bench_collection.h"
#include "reports/print/report_document.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::uint32_t albumCount = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    bench::ReportBenchCollection collection("printed-report-bench", albumCount);
    const std::string& dir = collection.dir;
    reports::RecordSelection& selection = collection.selection;
    reports::SelectionSettings everything;
    everything.includeTracks = true;
    everything.order = reports::SortOrder::Artist;
    const std::vector<std::string> fields{"ARTIST", "ALBUM", "GENRE", "YR", "LABEL", "Notes"};
    const auto select = [&] { collection.select(everything); };
    std::unique_ptr<reports::print::ReportDocument> document;
    const auto fresh = [&] {
        document.reset();
        select();
    };

    std::printf("%u albums, %u tracks\n", collection.size.albums, collection.size.tracks);
    bench::measure("prepared selection to page 1 in an image", fresh, [&] {
        document = std::make_unique<reports::print::ReportDocument>(selection, fields, dir);
        QImage page(816, 1056, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        document->pages().draw(painter, 0);
    });
    std::size_t pages = 0;
    bench::measure("every page laid out", fresh, [&] {
        document = std::make_unique<reports::print::ReportDocument>(selection, fields, dir);
        pages = document->pages().pageCount();
    }, 3);
    std::printf("  %-44s %zu\n", "pages", pages);
    bench::measure("every page recorded (a draw-all preview)", [] {}, [&] {
        for (std::size_t i = 0; i < pages; ++i) {
            QPicture picture;
            QPainter painter(&picture);
            document->pages().draw(painter, i);
        }
    }, 2);
    bench::NoProgress progress;
    const std::string pdf = dir + "/report.pdf";
    bench::measure("whole report as PDF", [] {}, [&] { bench::check(document->writePdf(pdf, progress), "pdf"); }, 2);
    std::printf("  %-44s %ju bytes\n", "report.pdf", static_cast<std::uintmax_t>(std::filesystem::file_size(pdf)));
    document.reset();
    selection.release();
    std::filesystem::remove_all(dir);
    return 0;
}
