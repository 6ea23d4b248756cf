// Saving an album of 20 tracks from the edit form (OK) into a generated
// collection of 20,000 albums, as the program holds it: the albums grid's
// and the track search's row lists built, so every write keeps them
// current. The disk sync at the end of a save is left out of the timed
// numbers (a file system whose sync does nothing) and timed apart. Prints
// the numbers; a benchmark, not a test: nothing here passes or fails.
//
//   album_save_bench [albums]      (default 20000)
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
#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/album_edit_flow.h"
#include "editing/album_form_loader.h"
#include "xbase/file.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSaves = 60;
constexpr int kTracks = 20;

// The real files, except that a sync returns at once.
class NoSyncFileSystem : public xbase::FileSystem {
public:
    std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenFlags flags) override
    {
        return std::make_unique<NoSyncFile>(xbase::defaultFileSystem().open(path, flags));
    }
    bool exists(const std::string& path) override { return xbase::defaultFileSystem().exists(path); }
    void remove(const std::string& path) override { xbase::defaultFileSystem().remove(path); }
    void rename(const std::string& from, const std::string& to) override
    {
        xbase::defaultFileSystem().rename(from, to);
    }
    std::string identity(const std::string& path) override { return xbase::defaultFileSystem().identity(path); }

private:
    class NoSyncFile : public xbase::File {
    public:
        explicit NoSyncFile(std::unique_ptr<xbase::File> file) : file_(std::move(file)) {}
        std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) override
        {
            return file_->readAt(offset, buf, n);
        }
        void writeAt(std::uint64_t offset, const void* buf, std::size_t n) override { file_->writeAt(offset, buf, n); }
        std::uint64_t size() override { return file_->size(); }
        void truncate(std::uint64_t size) override { file_->truncate(size); }
        void sync() override {}
        bool tryLock(xbase::LockKind kind) override { return file_->tryLock(kind); }
        const std::string& path() const override { return file_->path(); }

    private:
        std::unique_ptr<xbase::File> file_;
    };
};

editing::AlbumFormData album(int n)
{
    editing::AlbumFormData data;
    editing::resetForNewEntry(data, lookup::EditMode::AddOther, "rock");
    data.artist = n % 5 == 0 ? "Various Artists" : "Bench Artist " + std::to_string(n);
    data.album = "Bench Album " + std::to_string(n);
    data.year = "2001";
    data.notes = "Saved by the benchmark\r\nEXTD=line two";
    for (int t = 1; t <= kTracks; ++t)
        data.tracks.push_back({std::to_string(t), " 3:" + std::to_string(10 + t),
                               "Singer " + std::to_string(t) + " / Song " + std::to_string(t)});
    return data;
}

struct Timings {
    std::vector<double> ms;
    void add(Clock::time_point start)
    {
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    void print(const char* what)
    {
        std::sort(ms.begin(), ms.end());
        std::printf("  %-40s median %7.2f ms   90%% %7.2f ms   max %7.2f ms   (%zu saves)\n", what, ms[ms.size() / 2],
                    ms[ms.size() * 9 / 10], ms.back(), ms.size());
    }
};

void run(const std::string& dir, xbase::FileSystem& fs, int firstAlbum, const char* what)
{
    catalogue::Catalogue catalogue(dir, fs);
    catalogue.createMissingFilesAndOpenViews();
    common::ProgramState state;
    state.programDir = dir + "/";
    state.settings.genre = "rock";
    state.genres = {"rock"};
    BenchPrompter prompter(true, true);  // valid entries ask nothing
    editing::AlbumEditFlow flow(catalogue, state, prompter);
    // The main window has counted the albums; a close step has put the
    // track search's cursor on an album.
    catalogue.albums()->count();
    flow.close();
    catalogue.allTracks()->count();

    Timings timings;
    for (int i = 0; i < kSaves; ++i) {
        const editing::AlbumFormData data = album(firstAlbum + i);
        const auto start = Clock::now();
        if (!flow.ok(data)) {
            std::fprintf(stderr, "save %d was refused\n", i);
            std::exit(1);
        }
        timings.add(start);
        flow.close();
    }
    timings.print(what);
    std::printf("  %-40s %u albums\n", "the catalogue then holds", catalogue.albums()->count());
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albums = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir = bench::freshCollectionDir("save-bench", albums);
    const bench::CollectionSize size = bench::generateCollection(dir, albums);
    std::printf("%u albums, %u tracks, %u artist rows; each save: 1 album, %d tracks, its artist rows\n", size.albums,
                size.tracks, size.artists, kTracks);
    {
        // The first start builds the indexes.
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
    }

    NoSyncFileSystem noSync;
    run(dir, noSync, 0, "save without the disk sync");
    run(dir, xbase::defaultFileSystem(), kSaves, "save with the disk sync");
    std::filesystem::remove_all(dir);
    return 0;
}
