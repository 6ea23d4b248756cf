// Engine timings on a generated collection at two sizes. Prints a table;
// a benchmark, not a test: nothing here passes or fails. Figures marked
// "median of 3" repeat their work three times and give the middle time.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue_schema.h"
#include "collection_generator.h"
#include "xbase/cdx_index.h"
#include "xbase/cdx_tag.h"
#include "xbase/cursor.h"
#include "xbase/table.h"

namespace {

using Clock = std::chrono::steady_clock;
using xbase::Cursor;
using xbase::OpenMode;
using xbase::Table;

const catalogue::TableDef* const kTables[] = {&catalogue::kAlbums, &catalogue::kTracks, &catalogue::kPlaylist,
                                              &catalogue::kArtists};

std::string pathOf(const std::string& dir, const catalogue::TableDef& def) { return dir + "/" + std::string(def.fileName); }

double millis(const std::function<void()>& work)
{
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// `first`, when given, receives the first pass's time: it alone pays for
// memory the process has not used before.
double medianOf3(const std::function<void()>& work, double* first = nullptr)
{
    std::array<double, 3> runs{};
    for (double& ms : runs)
        ms = millis(work);
    if (first)
        *first = runs[0];
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

std::string perSecond(int n, double ms) { return std::to_string(static_cast<long>(n / ms * 1000)) + "/s"; }

// The way a reindex does it: each table opened anew, a new index, every
// tag built, the files flushed.
void buildAllTags(const std::string& dir)
{
    for (const auto* def : kTables) {
        auto t = Table::open(pathOf(dir, *def), OpenMode::Exclusive);
        xbase::CdxIndex& index = t->createIndex();
        for (const auto& tag : def->tags)
            if (!tag.name.empty())
                index.createTag(tag.name, tag.expression);
        t->flush();
    }
}

long rssKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void row(const char* what, double ms, const std::string& note = "")
{
    std::printf("  %-44s %10.2f ms  %s\n", what, ms, note.c_str());
}

void runSize(std::uint32_t albums)
{
    const std::string dir = bench::freshCollectionDir("bench", albums);
    bench::CollectionSize size = bench::generateCollection(dir, albums);
    std::printf("\n%u albums, %u tracks, %u artist rows, %u marks\n", size.albums, size.tracks, size.artists,
                size.marks);

    double first = 0;
    const double build = medianOf3([&] { buildAllTags(dir); }, &first);
    char note[64];
    std::snprintf(note, sizeof note, "median of 3; the first %.2f ms", first);
    row("build all 9 tags (open, create index, flush)", build, note);

    std::vector<std::shared_ptr<Table>> tables;
    row("open all tables, first 50 albums by Artist", millis([&] {
            for (const auto* def : kTables)
                tables.push_back(Table::open(pathOf(dir, *def), OpenMode::Shared));
            Cursor albumsView(tables[0]);
            albumsView.setOrder("Artist");
            int n = 0;
            for (bool ok = albumsView.first(); ok && n < 50; ok = albumsView.next(), ++n)
                albumsView.field("Album");
        }));
    std::printf("  %-44s %10ld KiB\n", "process memory (RSS) after open", rssKiB());

    // Random existing keys: album IDs, and track IDs with their numbers.
    std::mt19937 rng(7);
    Table& albumsTable = *tables[0];
    Table& tracks = *tables[1];
    const auto& idField = albumsTable.fields()[static_cast<std::size_t>(albumsTable.fieldIndex("ID"))];
    std::vector<std::string> ids, trackKeys;
    for (int i = 0; i < 10000; ++i) {
        ids.emplace_back(reinterpret_cast<const char*>(albumsTable.record(1 + rng() % albumsTable.recordCount()) +
                                                        idField.offset),
                         idField.length);
        trackKeys.emplace_back(reinterpret_cast<const char*>(tracks.record(1 + rng() % tracks.recordCount()) + 1), 11);
    }
    {
        // Each pass opens its cursors anew, as a view does.
        int found = 0;
        double ms = medianOf3([&] {
            Cursor albumsView(tables[0]), tracksView(tables[1]);
            albumsView.setOrder("ID");
            tracksView.setOrder("Tracks");
            tracksView.setMaster(&albumsView, "ID");
            found = 0;
            for (const auto& id : ids)
                found += albumsView.seekValues({id});
        });
        row("10,000 exact ID seeks, ALBUMS cursor + detail", ms, perSecond(10000, ms) + ", median of 3, " +
                                                                    std::to_string(found) + " found");
        ms = medianOf3([&] {
            Cursor albumsView(tables[0]), tracksView(tables[1]);
            albumsView.setOrder("ID");
            tracksView.setOrder("Tracks");
            tracksView.setMaster(&albumsView, "ID");
            found = 0;
            for (const auto& id : ids) {
                albumsView.seekValues({id});
                found += tracksView.fieldInt("NR") == 1;
            }
        });
        row("  the same, reading each album's first track", ms,
            perSecond(10000, ms) + ", median of 3, " + std::to_string(found) + " first tracks");
        ms = medianOf3([&] {
            Cursor c(tables[1]);
            c.setOrder("Tracks");
            found = 0;
            for (const auto& k : trackKeys)
                found += c.seekValues({std::string_view(k).substr(0, 8), std::string_view(k).substr(8)});
        });
        row("10,000 exact ID+NR seeks, TRACKS cursor", ms, perSecond(10000, ms) + ", median of 3, " +
                                                              std::to_string(found) + " found");
        Cursor listed(tables[1]);
        listed.setOrder("Tracks");
        double build = millis([&] { listed.count(); });
        ms = medianOf3([&] {
            for (const auto& k : trackKeys)
                listed.seek(k);
        });
        row("10,000 exact ID+NR seeks, TRACKS row list", ms,
            perSecond(10000, ms) + ", median of 3; list built in " + std::to_string(build) + " ms");
        xbase::CdxTag& tag = *tracks.index()->tag("Tracks");
        ms = medianOf3([&] {
            for (const auto& k : trackKeys)
                found += !tag.lowerBound(k, 0).atEnd();
        });
        row("10,000 exact ID+NR seeks, TRACKS tag", ms, perSecond(10000, ms) + ", median of 3");
    }
    {
        Cursor c(tables[1]);
        c.setFilter("contains(track,\"moon\")");
        c.setFiltered(true);
        std::uint32_t n = 0;
        double ms = millis([&] { n = c.count(); });
        row("contains(track,\"moon\") count, all tracks", ms, std::to_string(n) + " rows");
    }
    row("walk every tag", millis([&] {
            std::size_t entries = 0;
            for (auto& t : tables)
                for (std::size_t i = 0; i < t->index()->tagCount(); ++i) {
                    const xbase::CdxTag& tag = t->index()->tagAt(i);
                    for (auto p = tag.first(); !p.atEnd(); p = tag.next(p))
                        ++entries;
                }
            std::printf("  (%zu entries)\n", entries);
        }));

    {
        Cursor albumsView(tables[0]), tracksView(tables[1]), artistsView(tables[3]), filterView(tables[0]);
        albumsView.setOrder("Artist");
        tracksView.setOrder("Tracks");
        tracksView.setMaster(&albumsView, "ID");
        artistsView.setOrder("ID");
        filterView.setOrder("ID");
        albumsView.first();
        const int saves = 50;
        double ms = millis([&] {
            for (int s = 0; s < saves; ++s) {
                char id[16];
                std::snprintf(id, sizeof id, "y%07d", s);
                albumsView.append();
                albumsView.setField("Album", "Benchmark Album");
                albumsView.setField("Artist", "Various Artists");
                albumsView.setField("ID", id);
                albumsView.setField("Genre", "rock");
                albumsView.post();
                for (int t = 1; t <= 12; ++t) {
                    char nr[16];
                    std::snprintf(nr, sizeof nr, "%3d", t);
                    tracksView.append();
                    tracksView.setField("NR", nr);
                    tracksView.setField("Track", "Singer / Song title");
                    tracksView.setField("Secs", "245");
                    tracksView.post();
                    artistsView.append();
                    artistsView.setField("ID", id);
                    artistsView.setField("NR", nr);
                    artistsView.setField("Artist", "Singer");
                    artistsView.post();
                }
            }
        });
        row("one album save (1 album, 12 tracks, 12 artists)", ms / saves, "mean of 50, before flush");
        row("flush all tables", millis([&] {
                for (auto& t : tables)
                    t->flush();
            }));
    }

    {
        // Delete 5% of the albums with their rows, then pack every table.
        ids.clear();
        for (std::uint32_t r = 1; r <= albumsTable.recordCount(); r += 20)
            ids.emplace_back(reinterpret_cast<const char*>(albumsTable.record(r) + albumsTable.fields()[5].offset), 8);
        tables.clear();
        double ms = millis([&] {
            std::vector<std::shared_ptr<Table>> ex;
            for (const auto* def : kTables)
                ex.push_back(Table::open(pathOf(dir, *def), OpenMode::Exclusive));
            const char* idTags[] = {"ID", "Tracks", "Playlist", "ID"};
            for (std::size_t i = 0; i < ex.size(); ++i) {
                Cursor c(ex[i]);
                c.setOrder(idTags[i]);
                for (const auto& id : ids)
                    while (c.seek(id))
                        c.deleteRow();
            }
            for (auto& t : ex) {
                t->pack();
                t->flush();
            }
        });
        row("delete 5% of albums with their rows, pack", ms, std::to_string(ids.size()) + " albums");
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::uint32_t> sizes = {2000, 20000};
    if (argc > 1)
        sizes = {static_cast<std::uint32_t>(std::stoul(argv[1]))};
    for (std::uint32_t s : sizes)
        runSize(s);
}
