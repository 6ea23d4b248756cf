// Finding an album's copied tracks on a file system that tells case apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "playback/playlist_files.h"
#include "support/temp_dir.h"

namespace {

TEST(PlaylistFiles, MasksMatchRegardlessOfCase)
{
    const struct {
        std::string_view mask, name;
        bool matches;
    } cases[] = {
        {"track*.mp3", "Track01.MP3", true}, {"*", "x", true},          {"a?c", "abc", true},
        {"a?c", "ac", false},                {"*.mp3", "a.mp3.bak", false}, {"*a*b", "xaxab", true},
        {"[1]*", "[1] a", true},              {"track*.mp3", "rack1.mp3", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(playback::maskMatches(c.mask, c.name), c.matches) << c.mask << " " << c.name;
}

TEST(PlaylistFiles, LabelThenFirstNotesLineNameTheFilesOfALocalDriveAlbum)
{
    test_support::TempDir temp;
    const std::string dir = temp.path() + "/Music/";
    std::filesystem::create_directories(dir + "track03.mp3");
    for (const char* name : {"Track10.MP3", "track02.mp3", "Track01.mp3", ".track04.mp3", "cover.jpg"})
        std::ofstream(dir + name) << "x";
    const std::string notes = dir + "TRACK0?.MP3\r\nremarks";
    const struct {
        std::string media, label, notes;
        std::vector<std::string> names;
        bool windowsLabel;
    } cases[] = {
        {"LD", dir + "TRACK*.mp3" + std::string(8, ' '), "", {"Track01.mp3", "track02.mp3", "Track10.MP3"}, false},
        {"LD", dir + "TRACK01.MP3", "", {"Track01.mp3"}, false},
        {"LD", dir + "none*.mp3", notes, {"Track01.mp3", "track02.mp3"}, false},
        {"LD", dir + "track03.mp3", "", {}, false},
        {"LD", "D:\\Music\\Album\\*.mp3", "", {}, true},
        {"LD", "D:\\Music\\Album\\*.mp3", notes, {"Track01.mp3", "track02.mp3"}, false},
        {"RD", dir + "*.mp3", notes, {}, false},
    };
    for (const auto& c : cases) {
        const playback::FilePlaylistSource source = playback::filePlaylistSource(c.media, c.label, c.notes);
        std::vector<std::string> expected;
        for (const std::string& name : c.names)
            expected.push_back(dir + name);
        EXPECT_EQ(source.paths, expected) << c.label;
        EXPECT_EQ(source.windowsLabel, c.windowsLabel) << c.label;
    }
}

}  // namespace
