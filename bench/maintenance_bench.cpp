// File maintenance on a generated collection of 20,000 albums with one row
// in twenty deleted: the packs alone, the whole reindex (packs and every
// tag built afresh), the backup archive made anew and brought up to date
// with nothing changed (and zlib alone on the same files, the bound), and
// the deletion of one album. Real files, synced as the program syncs them.
// Prints the numbers; a benchmark, not a test: nothing here passes or fails.
//
//   maintenance_bench [albums]      (default 20000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <zlib.h>

#include "bench_support.h"
#include "bench_prompter.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_schema.h"
#include "catalogue/program_files.h"
#include "collection_generator.h"
#include "common/prompter.h"
#include "maintenance/album_deletion.h"
#include "maintenance/file_maintenance.h"
#include "maintenance/reindex.h"
#include "platform/zip/libzip_updater.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kDeleteEvery = 20;

double timed(const std::function<void()>& step)
{
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One in `every` rows of each table marked deleted, so the packs have work.
void deleteSome(catalogue::Catalogue& catalogue)
{
    for (catalogue::TableView* view :
         {&catalogue.albumLookup(), &catalogue.allTracks(), &catalogue.playlist(), &catalogue.artists()}) {
        xbase::Table& table = view->cursor().table();
        for (std::uint32_t r = kDeleteEvery; r <= table.recordCount(); r += kDeleteEvery)
            table.setDeleted(r, true);
        table.flush();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albums = argc > 1 ? std::uint32_t(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir = bench::freshCollectionDir("maintenance-bench", albums);
    const bench::CollectionSize size = bench::generateCollection(dir, albums);
    std::ofstream(catalogue::joinPath(dir, "Vinora.ini"), std::ios::binary) << "[Current]\r\nHost=gnudb.gnudb.org\r\n";
    catalogue::Catalogue catalogue(dir);
    catalogue.createMissingFilesAndOpenViews();
    deleteSome(catalogue);
    std::printf("%u albums, %u tracks, %u artist rows, %u marks; one row in %u deleted\n", size.albums, size.tracks,
                size.artists, size.marks, kDeleteEvery);

    // The packs as a delete runs them: each table's tags rebuilt beside it.
    std::printf("packs of the four tables:      %8.0f ms\n", timed([&] {
                    for (catalogue::TableView* view : {&catalogue.albums(), &catalogue.albumLookup(),
                                                       &catalogue.currentAlbumTracks(), &catalogue.allTracks(),
                                                       &catalogue.playlist(), &catalogue.artists()})
                        view->close();
                    for (const catalogue::TableDef* def : catalogue::kCatalogueTables)
                        xbase::Table::open(catalogue::filePathNoCase(dir, def->fileName), xbase::OpenMode::Exclusive)
                            ->pack();
                    catalogue.createMissingFilesAndOpenViews();
                }));
    deleteSome(catalogue);
    std::printf("reindex (packs and all tags):  %8.0f ms\n", timed([&] { maintenance::reindexCatalogue(catalogue); }));

    platform::LibzipUpdater zip;
    const std::string archive = catalogue::joinPath(dir, maintenance::kArchiveName);
    const auto members = maintenance::FileMaintenance::archiveMembers(dir);
    std::printf("backup, new archive:           %8.0f ms\n", timed([&] { zip.update(archive, members, {}); }));
    std::printf("backup, nothing changed:       %8.0f ms\n", timed([&] { zip.update(archive, members, {}); }));
    std::uintmax_t input = 0;
    for (const platform::ZipMember& member : members)
        input += std::filesystem::file_size(member.path);
    std::printf("archive: %ju bytes from %ju\n", std::uintmax_t(std::filesystem::file_size(archive)), input);
    std::printf("zlib level 9 alone, same files: %7.0f ms\n", timed([&] {
                    for (const platform::ZipMember& member : members) {
                        std::ifstream in(member.path, std::ios::binary);
                        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                        std::vector<Bytef> out(compressBound(uLong(bytes.size())));
                        uLongf length = uLongf(out.size());
                        compress2(out.data(), &length, reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size()),
                                  Z_BEST_COMPRESSION);
                    }
                }));

    BenchPrompter prompter(true, true);  // OK to the deletion; nothing else is asked
    const auto runAtOnce = [](const std::string&, bool, const std::function<void(common::Progress&)>& step) {
        bench::NoProgress progress;
        step(progress);
    };
    std::printf("delete one album:              %8.0f ms\n",
                timed([&] { maintenance::AlbumDeletion(catalogue, prompter, runAtOnce).run(); }));
    std::filesystem::remove_all(dir);
    return 0;
}
