#include "collection_generator.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "catalogue/catalogue_schema.h"
#include "xbase/table.h"

namespace bench {
namespace {

const char* const kWords[] = {
    "Love", "Night", "Blue", "Moon", "River", "Fire", "Dream", "Heart", "Road", "Rain", "Gold", "Shadow",
    "City", "Light", "Song", "Time", "Wild", "Sun", "Star", "Ocean", "Caf\xe9", "Fr\xe4ulein", "Se\xf1or",
    "Stra\xdf" "e", "\xc9t\xe9", "Live", "Dance", "Paris", "Storm", "Silver", "Echo", "Garden"};
const char* const kGenres[] = {"rock", "pop", "jazz", "classical", "blues", "folk", "electronic", "soundtrack"};
const char* const kMedia[] = {"  ", "CR", "CS", "MD", "LD", "VL"};

class Generator {
public:
    Generator(const std::string& dir, std::uint32_t seed) : dir_(dir), rng_(seed) {}

    std::string words(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i) {
            if (i)
                s += ' ';
            s += kWords[pick(std::size(kWords))];
        }
        return s;
    }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < static_cast<std::size_t>(percent); }

    CollectionSize run(std::uint32_t albumCount)
    {
        auto open = [&](const catalogue::TableDef& def) {
            std::string path = dir_ + "/" + std::string(def.fileName);
            xbase::Table::create(path, xbase::parseCreationList(def.creationList));
            return xbase::Table::open(path, xbase::OpenMode::Exclusive);
        };
        auto albums = open(catalogue::kAlbums);
        auto tracks = open(catalogue::kTracks);
        auto playlist = open(catalogue::kPlaylist);
        auto artists = open(catalogue::kArtists);
        CollectionSize size;
        size.albums = albumCount;
        std::uint32_t zNumber = 0;
        std::vector<std::string> singers;
        for (int i = 0; i < 400; ++i)
            singers.push_back(words(2));

        for (std::uint32_t a = 0; a < albumCount; ++a) {
            char id[16];
            if (chance(75))
                std::snprintf(id, sizeof id, "%08x", static_cast<unsigned>(rng_()));
            else
                std::snprintf(id, sizeof id, "z%.7u", ++zNumber);
            const bool compilation = chance(10);
            const std::string artist = compilation ? "Various Artists" : singers[pick(singers.size())];
            auto rec = albums->blankRecord();
            set(*albums, rec, "Album", words(1 + static_cast<int>(pick(4))));
            set(*albums, rec, "Artist", artist);
            set(*albums, rec, "Genre", kGenres[pick(std::size(kGenres))]);
            set(*albums, rec, "YR", std::to_string(1950 + pick(75)));
            set(*albums, rec, "ID", id);
            set(*albums, rec, "Media", kMedia[pick(std::size(kMedia))]);
            set(*albums, rec, "Label", chance(50) ? "Shelf " + std::to_string(pick(90)) : "");
            set(*albums, rec, "Rev", "0");
            set(*albums, rec, "Sys", chance(75) ? "F" : "M");
            if (chance(30))
                set(*albums, rec, "Notes", "Bought in " + words(2) + ".\r\n" + words(6));
            albums->append(rec.data());

            const int trackCount = 8 + static_cast<int>(pick(13));
            for (int t = 1; t <= trackCount; ++t) {
                char nr[16];
                std::snprintf(nr, sizeof nr, "%3d", t);
                std::string singer = singers[pick(singers.size())];
                auto tr = tracks->blankRecord();
                set(*tracks, tr, "ID", id);
                set(*tracks, tr, "NR", nr);
                set(*tracks, tr, "Track", compilation ? singer + " / " + words(3) : words(3));
                set(*tracks, tr, "Secs", std::to_string(60 + pick(480)));
                tracks->append(tr.data());
                ++size.tracks;
                if (compilation) {
                    addArtist(*artists, id, nr, singer);
                    ++size.artists;
                }
                if (chance(3)) {
                    auto pl = playlist->blankRecord();
                    set(*playlist, pl, "ID", id);
                    set(*playlist, pl, "NR", nr);
                    playlist->append(pl.data());
                    ++size.marks;
                }
            }
            if (!compilation) {
                addArtist(*artists, id, "   ", artist);
                ++size.artists;
            }
        }
        for (auto* t : {albums.get(), tracks.get(), playlist.get(), artists.get()})
            t->flush();
        return size;
    }

private:
    static void set(xbase::Table& t, std::vector<std::uint8_t>& rec, const char* field, const std::string& value)
    {
        t.setFieldText(rec.data(), t.fieldIndex(field), value);
    }
    static void addArtist(xbase::Table& artists, const char* id, const char* nr, const std::string& name)
    {
        auto rec = artists.blankRecord();
        set(artists, rec, "ID", id);
        set(artists, rec, "NR", nr);
        set(artists, rec, "Artist", name);
        artists.append(rec.data());
    }

    std::string dir_;
    std::mt19937 rng_;
};

}  // namespace

CollectionSize generateCollection(const std::string& dir, std::uint32_t albums, std::uint32_t seed)
{
    return Generator(dir, seed).run(albums);
}

std::string freshCollectionDir(const std::string& name, std::uint32_t albums)
{
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("vinora-" + name + "-" + std::to_string(albums))).string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace bench
