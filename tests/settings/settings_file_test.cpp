// The settings file: first-run content, reading with defaults, writing at close.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/settings_file.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using settings::SettingsFile;

class SettingsFileTest : public testing::Test {
protected:
    SettingsFile file() const
    {
        return SettingsFile({dir.path() + "/", [this] {
                                 ++driveScans;
                                 return std::string("/dev/sr0");
                             }});
    }
    void writeFile(const std::string& text) const
    {
        settings::IniFile::parse(text).save(dir.file("Vinora.ini"));
    }
    std::string content() const { return test_support::readFile(dir.file("Vinora.ini")); }

    test_support::TempDir dir;
    mutable int driveScans = 0;
};

TEST_F(SettingsFileTest, FirstRunWritesTheFullDefaultFile)
{
    ASSERT_TRUE(file().createIfMissing());
    EXPECT_EQ(content(),
              "[URL]\r\n"
              "Amazon=https://www.amazon.com/gp/bestsellers/music\r\n"
              "AMG=https://www.allmusic.com/\r\n"
              "Freedb=https://gnudb.org/\r\n"
              "Covers=https://musicbrainz.org/search?type=release\r\n"
              "UPC=https://musicbrainz.org/search?type=release&method=advanced&query=barcode:\r\n"
              "[Current]\r\n"
              "Host=gnudb.gnudb.org\r\n"
              "CDPath=/dev/sr0\r\n"
              "Hint=1\r\n"
              "Art=0\r\n"
              "SSL=0\r\n"
              "Genre=\r\n"
              "ClipsDir=" + dir.path() + "/\r\n"
              "Viewer=\r\n"
              "Labeler=\r\n"
              "Player=\r\n"
              "Name=Music Collection Manager\r\n"
              "Protocol=T\r\n"
              "WState=1\r\n"
              "[Genre]\r\n"
              "Genre1=blues\r\nGenre2=rock\r\nGenre3=misc\r\nGenre4=classical\r\nGenre5=country\r\nGenre6=data\r\n"
              "Genre7=folk\r\nGenre8=jazz\r\nGenre9=newage\r\nGenre10=reggae\r\nGenre11=soundtrack\r\n"
              "[Official]\r\n"
              "Genre1=blues\r\nGenre2=rock\r\nGenre3=misc\r\nGenre4=classical\r\nGenre5=country\r\nGenre6=data\r\n"
              "Genre7=folk\r\nGenre8=jazz\r\nGenre9=newage\r\nGenre10=reggae\r\nGenre11=soundtrack\r\n"
              "[Site]\r\n"
              "Site1=gnudb.gnudb.org\r\n"
              "[Media]\r\n"
              "<no copy>=  \r\n"
              "CD-R=CR (CD-R)\r\nCassette=CS (cassette)\r\nCD-RW=CW (CD-RW)\r\nDAD=DA (DAD Audio)\r\n"
              "DTS=DS (DTS Audio)\r\nDAT=DT (DAT tape)\r\nDVD=DV (DVD Audio)\r\nMiniDisc=MD (minidisc)\r\n"
              "Local=LD (local drive)\r\nRemote=RD (remote drive)\r\nSACD=SA (SuperAudio)\r\nVinyl=VL (vinyl)\r\n"
              "Video=VT (video)\r\nOther=OT (other)\r\n");
    EXPECT_FALSE(file().createIfMissing()) << "an existing file is left alone";
}

TEST_F(SettingsFileTest, EmptyFileCountsAsMissing)
{
    std::ofstream(dir.file("Vinora.ini"));
    ASSERT_TRUE(file().createIfMissing());
    EXPECT_EQ(file().read().media.size(), 15u);
}

TEST_F(SettingsFileTest, DefaultFileReadsBackAsTheDefaults)
{
    file().createIfMissing();
    const auto s = file().read();
    EXPECT_EQ(s.host, "gnudb.gnudb.org");
    EXPECT_EQ(s.cdPath, "/dev/sr0");
    EXPECT_TRUE(s.hint);
    EXPECT_FALSE(s.startMaximized());
    EXPECT_EQ(s.genres.size(), 11u);
    EXPECT_EQ(s.media.front(), "") << "<no copy> is an empty first item";
    EXPECT_EQ(s.media.size(), 15u);
    EXPECT_EQ(s.media[1], "CR (CD-R)");
}

TEST_F(SettingsFileTest, MissingKeysShortHostAndOddValues)
{
    writeFile("[Current]\nHost= ab \nWState=5\nHint=0\n[Official]\nGenre1= rock \n[Genre]\nGenre1= rock \n"
              "[Media]\n<no copy>=  \nX= XY (thing) \n");
    const int scansBefore = driveScans;
    const auto s = file().read();
    EXPECT_EQ(s.host, "gnudb.gnudb.org");
    EXPECT_EQ(s.cdPath, "/dev/sr0") << "a missing CDPath is the first drive";
    EXPECT_EQ(driveScans, scansBefore + 1);
    EXPECT_EQ(s.clipsDir, dir.path() + "/");
    EXPECT_EQ(s.name, "Music Collection Manager");
    EXPECT_EQ(s.coversUrl, "https://musicbrainz.org/search?type=release");
    EXPECT_EQ(s.upcUrl, "https://musicbrainz.org/search?type=release&method=advanced&query=barcode:");
    EXPECT_EQ(s.driveNr, 0);
    EXPECT_FALSE(s.hint);
    EXPECT_TRUE(s.startMaximized());
    EXPECT_EQ(s.genres, std::vector<std::string>{"rock"});
    EXPECT_EQ(s.official, std::vector<std::string>{" rock "});
    EXPECT_EQ(s.media, (std::vector<std::string>{"", "XY (thing)"}));
    EXPECT_EQ(s.lookupOrder, settings::LookupOrder::CddbFirst);
    EXPECT_EQ(s.musicBrainzUrl, "https://musicbrainz.org");

    writeFile("[current]\nhost=abcd\nCDPath=\nLookup= musicbrainzonly \n[URL]\nMusicBrainz=http://127.0.0.1:1/ \n");
    EXPECT_EQ(file().read().host, "abcd");
    EXPECT_EQ(file().read().cdPath, "") << "an empty CDPath is kept";
    EXPECT_EQ(file().read().lookupOrder, settings::LookupOrder::MusicBrainzOnly);
    EXPECT_EQ(file().read().musicBrainzUrl, "http://127.0.0.1:1/");
    writeFile("[Current]\nLookup=Nowhere\n");
    EXPECT_EQ(file().read().lookupOrder, settings::LookupOrder::CddbFirst);
}

TEST_F(SettingsFileTest, WStateAtClose)
{
    file().createIfMissing();
    const auto wstate = [&] { return file().read().wState; };
    file().writeAtClose({}, 0, false, 2);
    EXPECT_EQ(wstate(), 1);
    file().writeAtClose({}, 0, false, 3);
    EXPECT_EQ(wstate(), 2) << "maximized layout applied three times";
    file().writeAtClose({}, 0, true, 0);
    EXPECT_EQ(wstate(), 2);
    file().writeAtClose({}, 0, false, 0);
    EXPECT_EQ(wstate(), 1);
}

TEST_F(SettingsFileTest, WindowGeometryComesBackAndAnIncompleteSectionGivesNone)
{
    file().createIfMissing();
    EXPECT_EQ(file().readWindowGeometry(), std::nullopt) << "a file from before the section";
    file().writeAtClose({}, 0, false, 0, settings::WindowGeometry{-8, 40, 1280, 900});
    EXPECT_EQ(file().readWindowGeometry(), (settings::WindowGeometry{-8, 40, 1280, 900}));
    EXPECT_EQ(file().read().wState, 1) << "the rest of the file is read as before";

    for (const char* window : {"Left=1\nTop=2\nWidth=300\n", "Left=1\nTop=2\nWidth=300\nHeight=0\n",
                               "Left=1\nTop=x\nWidth=300\nHeight=200\n",
                               "Left=1\nTop=2\nWidth=99999999999\nHeight=200\n"}) {
        writeFile(std::string("[Current]\nWState=1\n[Window]\n") + window);
        EXPECT_EQ(file().readWindowGeometry(), std::nullopt) << window;
    }
}

TEST_F(SettingsFileTest, GenresAreRewrittenSortedOnlyWhenTheListGrew)
{
    file().createIfMissing();
    auto genres = file().read().genres;
    const std::string before = content();
    file().writeAtClose(genres, genres.size(), false, 0);
    EXPECT_EQ(content(), before) << "an unchanged list leaves the file as it was";

    genres.push_back("Ambient");
    file().writeAtClose(genres, genres.size() - 1, false, 0);
    const auto after = file().read();
    EXPECT_EQ(after.genres, (std::vector<std::string>{"Ambient", "blues", "classical", "country", "data", "folk", "jazz",
                                                      "misc", "newage", "reggae", "rock", "soundtrack"}));
    EXPECT_EQ(after.official.size(), 11u) << "Official is never rewritten";
    EXPECT_NE(content().find("[Genre]\r\nGenre1=Ambient\r\nGenre2=blues\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WritersChangeOnlyTheirKey)
{
    file().createIfMissing();
    file().writeString(settings::section::kCurrent, settings::key::kMail, "me@example.org");
    file().writeBool(settings::section::kCurrent, settings::key::kArt, true);
    file().rewriteNumbered(settings::section::kSite, settings::key::kSitePrefix, {"a.example", "b.example"});
    const auto s = file().read();
    EXPECT_EQ(s.mail, "me@example.org");
    EXPECT_TRUE(s.art);
    EXPECT_EQ(file().sectionValues(settings::section::kSite), (std::vector<std::string>{"a.example", "b.example"}));
    EXPECT_NE(content().find("WState=1\r\nMail=me@example.org\r\n[Genre]"), std::string::npos);
}

}  // namespace
