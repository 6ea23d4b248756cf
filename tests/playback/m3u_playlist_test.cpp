// The playlist text, its file, and a real player reading it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QProcess>
#include <QStandardPaths>

#include "playback/m3u_playlist.h"
#include "support/temp_dir.h"

namespace {

using playback::DiscPlaylist;

DiscPlaylist disc(int tracks, std::vector<int> marks)
{
    DiscPlaylist d{"/dev/sr0", "Artist Name" + std::string(39, ' '), {}, std::move(marks), {}};
    for (int n = 1; n <= tracks; ++n)
        d.tracks.push_back({n, n == 1 ? "215 " : std::to_string(100 + n), "Title " + std::to_string(n) + "   "});
    return d;
}

std::string read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(M3uPlaylist, CdPlaylistListsTheMarksElseTheTracksFromTheStart)
{
    const std::string first = "#EXTINF:215,Artist Name - Title 1\r\ncdda:///dev/sr0@1\r\n";
    const struct {
        int tracks;
        std::vector<int> marks;
        int start;
        std::string expected;
    } cases[] = {
        {5, {2, 5}, 0,
         "#EXTM3U\r\n#EXTINF:102,Artist Name - Title 2\r\ncdda:///dev/sr0@2\r\n"
         "#EXTINF:105,Artist Name - Title 5\r\ncdda:///dev/sr0@5\r\n"},
        {2, {}, 0, "#EXTM3U\r\n" + first + "#EXTINF:102,Artist Name - Title 2\r\ncdda:///dev/sr0@2\r\n"},
        {2, {7}, 0, "#EXTM3U\r\n" + first + "#EXTINF:102,Artist Name - Title 2\r\ncdda:///dev/sr0@2\r\n"},
        {5, {1}, 5, "#EXTM3U\r\n#EXTINF:105,Artist Name - Title 5\r\ncdda:///dev/sr0@5\r\n"},
        {5, {}, 6, "#EXTM3U\r\n"},
        {0, {}, 0, "#EXTM3U\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(playback::cdPlaylist(disc(c.tracks, c.marks), c.start), c.expected) << c.start;

    const std::string hundred = playback::cdPlaylist(disc(100, {}), 100);
    EXPECT_TRUE(hundred.ends_with("cdda:///dev/sr0@100\r\n")) << hundred;
}

void writeWave(const std::string& path)
{
    // A mono 16-bit PCM file of 100 silent samples at 8 kHz.
    const std::string header("RIFF\xec\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0"
                             "data\xc8\0\0\0",
                             44);
    std::ofstream(path, std::ios::binary) << header << std::string(200, '\0');
}

TEST(M3uPlaylist, TheWrittenFileReplacesTheOldAndARealPlayerSeesEveryEntry)
{
    test_support::TempDir dir;
    const std::vector<std::string> paths{dir.file("01 Intro.wav"), dir.file("02 Sóng.WAV"), dir.file("03 #3.wav")};
    for (const std::string& path : paths)
        writeWave(path);
    const std::string playlist = dir.file(std::string(playback::kPlaylistFileName));
    std::ofstream(playlist) << "an older and longer playlist\n" << std::string(500, 'x');
    playback::writePlaylist(playlist, playback::filePlaylist(paths));
    EXPECT_EQ(read(playlist), "#EXTM3U\r\n" + paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2] + "\r\n");
    EXPECT_THROW(playback::writePlaylist(dir.file("none/Vinora.m3u"), "#EXTM3U\r\n"), std::exception);

    const QString player = QStandardPaths::findExecutable("mpv");
    if (player.isEmpty())
        GTEST_SKIP() << "mpv is not installed: the playlist was not given to a real player";
    QProcess mpv;
    mpv.setProcessChannelMode(QProcess::MergedChannels);
    mpv.start(player, {"--no-config", "--no-audio", "--no-video", "--frames=0",
                       "--playlist=" + QString::fromStdString(playlist)});
    ASSERT_TRUE(mpv.waitForFinished(30000));
    const std::string output = mpv.readAll().toStdString();
    for (const std::string& path : paths)
        EXPECT_NE(output.find("Playing: " + path + "\n"), std::string::npos) << output;
    EXPECT_EQ(QString::fromStdString(output).count("Audio --aid=1"), 3) << output;
}

}  // namespace
