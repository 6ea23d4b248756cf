// The edit form's genre list over a generated collection (20,000 albums
// unless told): the settings' genres and the collection's own, read each
// time the form opens, so it must not hold the window up. A cold pass opens
// the albums' index first. Prints the numbers; a benchmark, not a test:
// nothing here passes or fails.
//
//   genre_choices_bench [albums]      (default 20000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "collection_generator.h"
#include "editing/genre_choices.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 20;

double millisecondsOf(catalogue::Catalogue& catalogue, std::size_t& genres)
{
    const auto start = Clock::now();
    genres = editing::genreChoices({"blues", "rock", "misc"}, catalogue).size();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint32_t albums = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    const std::string dir = bench::freshCollectionDir("genre-choices-bench", albums);
    bench::generateCollection(dir, albums);
    {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
        std::size_t genres = 0;
        std::printf("%u albums\n", albums);
        std::printf("%-30s cold: %8.2f ms\n", "genre list", millisecondsOf(catalogue, genres));
        double best = 1e12;
        for (int i = 0; i < kRuns; ++i)
            best = std::min(best, millisecondsOf(catalogue, genres));
        std::printf("%-30s best of %d: %8.2f ms (%zu genres)\n", "genre list", kRuns, best, genres);
    }
    std::filesystem::remove_all(dir);
}
