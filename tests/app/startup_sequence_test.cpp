// The start-up sequence against a recording window: what it asks for, in
// which order, and what the drive and category seams change.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/startup_sequence.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScriptedPrompter;

class RecordingWindow : public app::StartupTarget {
public:
    void showStatus(const std::string& text) override { calls.push_back("status:" + text); }
    void runLongStep(const std::function<void()>& step) override
    {
        calls.push_back("long step");
        step();
    }
    void setCaption(const std::string& caption) override { calls.push_back("caption:" + caption); }
    void setMaximized(bool maximized) override { calls.push_back(maximized ? "maximized" : "normal"); }
    void applyHints(bool show) override { calls.push_back(show ? "hints on" : "hints off"); }
    void catalogueOpened(bool hasAlbums) override { calls.push_back(hasAlbums ? "opened" : "opened empty"); }
    void disableAddCd() override { calls.push_back("add cd off"); }
    void showTipOfTheDay() override { calls.push_back("tips"); }
    void finishStartup() override { calls.push_back("finish"); }

    std::vector<std::string> calls;
};

class FakeDrive : public lookup::DiscInDrive {
public:
    bool accessInstalled() override { return installed; }
    std::string firstDrive() override { return "/dev/sr7"; }
    std::optional<std::string> audioDiscId(const std::string& cdPath) override
    {
        askedFor.push_back(cdPath);
        return disc;
    }

    bool installed = true;
    std::optional<std::string> disc;
    std::vector<std::string> askedFor;
};

// Answers when the test says so, as the server answers after the sequence.
class LateCategories : public lookup::CategorySource {
public:
    void requestCategories(catalogue::StatusReport status, Done done) override
    {
        status("Retrieving genre (category) choices ...");
        answer = std::move(done);
    }
    Done answer;
};

class StartupSequence : public testing::Test {
protected:
    StartupSequence()
    {
        state.programDir = dir.path() + "/";
        state.dataDir = std::string(VINORA_DATA_DIR) + "/";
    }
    void run()
    {
        app::StartupSequence sequence(state, catalogue, window, prompter);
        sequence.setDiscInDrive(drive);
        sequence.setCategorySource(categories);
        sequence.run();
    }
    std::string ini() const { return dir.file("Vinora.ini"); }
    void writeTips(const std::string& text) const { std::ofstream(dir.file("Vinoratips.txt"), std::ios::binary) << text; }
    void createSettings() const { settings::SettingsFile({state.programDir, [] { return std::string(); }}).createIfMissing(); }
    bool called(const std::string& call) const
    {
        return std::find(window.calls.begin(), window.calls.end(), call) != window.calls.end();
    }

    test_support::TempDir dir;
    common::ProgramState state;
    catalogue::Catalogue catalogue{dir.path()};
    RecordingWindow window;
    ScriptedPrompter prompter;
    lookup::DiscInDrive* drive = nullptr;
    lookup::CategorySource* categories = nullptr;
};

TEST_F(StartupSequence, FirstRunInAnEmptyDirectory)
{
    run();
    const std::vector<std::string> expected{
        "long step",
        "status:Creating data files ...",
        "status:Creating Index File for: ALBUMS",
        "status:Creating Index File for: TRACKS",
        "status:Creating Index File for: ARTISTS",
        "status:Creating Index File for: PLAYLIST",
        "caption: Vinora - Music Collection Manager",
        "normal",
        "hints on",
        "opened empty",
        "status:",
        "tips",
        "finish",
    };
    EXPECT_EQ(window.calls, expected);
    EXPECT_TRUE(fs::exists(ini()));
    EXPECT_TRUE(fs::exists(dir.file("Vinoratips.txt"))) << "the first run copies the shipped tips";
    EXPECT_TRUE(state.started);
    EXPECT_TRUE(prompter.requests().empty());
}

TEST_F(StartupSequence, ListsComeFromTheSettingsFile)
{
    run();
    const std::vector<std::string> sorted{"blues", "classical", "country", "data", "folk", "jazz",
                                          "misc", "newage", "reggae", "rock", "soundtrack"};
    EXPECT_EQ(state.genres, sorted);
    EXPECT_EQ(state.genresAtStart, 11u);
    EXPECT_EQ(state.official.front(), "blues") << "official categories keep the file's order";
    EXPECT_EQ(state.official.at(1), "rock");
    ASSERT_EQ(state.media.size(), 15u);
    EXPECT_EQ(state.media.front(), "");
    EXPECT_EQ(state.media.at(1), "CR (CD-R)");
}

TEST_F(StartupSequence, RunsOncePerRun)
{
    run();
    const auto calls = window.calls;
    run();
    EXPECT_EQ(window.calls, calls);
}

TEST_F(StartupSequence, SettingsDecideCaptionWindowStateAndTooltips)
{
    createSettings();
    settings::IniFile file = settings::IniFile::load(ini());
    file.writeString("Current", "Name", "Jazz Shelf");
    file.writeInteger("Current", "WState", 5);
    file.writeBool("Current", "Hint", false);
    file.save(ini());
    run();
    EXPECT_TRUE(called("caption: Vinora - Jazz Shelf"));
    EXPECT_TRUE(called("maximized"));
    EXPECT_TRUE(called("hints off"));
    EXPECT_FALSE(fs::exists(dir.file("Vinoratips.txt"))) << "not a first run: nothing is copied";
}

TEST_F(StartupSequence, EmptyGenreSectionTakesTheServersCategoriesForThisRun)
{
    createSettings();
    settings::IniFile file = settings::IniFile::load(ini());
    file.eraseSection("Genre");
    file.save(ini());
    LateCategories server;
    categories = &server;
    run();
    EXPECT_TRUE(called("finish")) << "the sequence does not wait for the server";
    EXPECT_TRUE(called("status:Retrieving genre (category) choices ..."));
    ASSERT_TRUE(server.answer);
    state.genres.push_back("zydeco");  // an album saved before the answer came
    server.answer({"rock", "Blues", "jazz"});
    EXPECT_EQ(state.genres, (std::vector<std::string>{"Blues", "jazz", "rock", "zydeco"}));
    EXPECT_EQ(state.genresAtStart, 3u) << "written back at close only because it grew";
}

TEST_F(StartupSequence, EmptyGenreSectionWithoutALookupClientLeavesNoGenres)
{
    createSettings();
    settings::IniFile file = settings::IniFile::load(ini());
    file.eraseSection("Genre");
    file.save(ini());
    run();
    EXPECT_TRUE(state.genres.empty());
    EXPECT_EQ(state.genresAtStart, 0u);
}

TEST_F(StartupSequence, TipsShowOnlyWhenTheFirstLineIsExactlyTrue)
{
    createSettings();
    writeTips("true\r\nA tip\r\n");
    run();
    EXPECT_FALSE(called("tips"));
    EXPECT_TRUE(called("finish"));
}

TEST_F(StartupSequence, CollectionWithAlbumsEnablesTheCollectionButtons)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    createSettings();
    writeTips("True\r\nA tip\r\n");
    run();
    EXPECT_TRUE(called("opened"));
    EXPECT_TRUE(called("tips"));
    EXPECT_EQ(catalogue.albums()->fieldTrimmed("ID"), "z0000001") << "the first album in artist order";
}

TEST_F(StartupSequence, MissingCdAccessIsReportedAndEndsTheSequence)
{
    FakeDrive cd;
    cd.installed = false;
    drive = &cd;
    run();
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error), std::vector<std::string>{std::string(app::kCdAccessMissingText)});
    EXPECT_TRUE(called("add cd off"));
    EXPECT_FALSE(called("tips"));
    EXPECT_FALSE(called("finish"));
    EXPECT_NE(test_support::readFile(ini()).find("CDPath=/dev/sr7"), std::string::npos)
        << "the new settings file names the drive found";
}

struct DiscCase {
    const char* name;
    const char* disc;
    const char* currentAlbum;  // in artist order: z0000001 is the first
};

void PrintTo(const DiscCase& c, std::ostream* out) { *out << c.name; }

class DiscInTheDrive : public StartupSequence, public testing::WithParamInterface<DiscCase> {};

TEST_P(DiscInTheDrive, ChoosesTheCurrentAlbumAndKeepsTheArtistOrder)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    FakeDrive cd;
    cd.disc = GetParam().disc;
    drive = &cd;
    run();
    EXPECT_EQ(catalogue.albums()->fieldTrimmed("ID"), GetParam().currentAlbum);
    EXPECT_EQ(catalogue.albums()->order(), "ARTIST");
    EXPECT_EQ(state.lookup.currentAlbumId, GetParam().disc);
    EXPECT_EQ(cd.askedFor, std::vector<std::string>{"/dev/sr7"});
}

INSTANTIATE_TEST_SUITE_P(
    Discs, DiscInTheDrive,
    testing::Values(DiscCase{"Catalogued", "e1f2a3b4", "e1f2a3b4"}, DiscCase{"Unknown", "01020304", "z0000001"},
                    // Seeking "" in ID order would land on 00a1b2c3, the lowest identifier.
                    DiscCase{"WithoutIdentifier", "", "z0000001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupSequence, EmptyCollectionLooksUpNoDisc)
{
    FakeDrive cd;
    cd.disc = "e1f2a3b4";
    drive = &cd;
    run();
    EXPECT_TRUE(cd.askedFor.empty());
    EXPECT_TRUE(called("finish"));
}

TEST_F(StartupSequence, EmptySettingsFileIsWrittenWithTheDefaults)
{
    std::ofstream{ini()};
    run();
    EXPECT_TRUE(called("finish"));
    EXPECT_TRUE(prompter.requests().empty());
    EXPECT_EQ(settings::IniFile::load(ini()).value("Current", "WState"), "1");
}

struct UnreadableSettings {
    const char* name;
    std::function<void(const std::string& path)> make;
};

class UnreadableSettingsFile : public StartupSequence, public testing::WithParamInterface<UnreadableSettings> {};

TEST_P(UnreadableSettingsFile, IsReportedAndTheDefaultsServe)
{
    GetParam().make(ini());
    run();
    EXPECT_TRUE(called("finish"));
    const auto errors = prompter.texts(ScriptedPrompter::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(ini()), std::string::npos) << errors[0];
    EXPECT_EQ(state.settings.name, "Music Collection Manager");
    EXPECT_EQ(state.genres.size(), 11u);
    EXPECT_EQ(state.media.size(), 15u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableSettingsFile,
    testing::Values(UnreadableSettings{"Folder", [](const std::string& p) { fs::create_directory(p); }},
                    UnreadableSettings{"BinaryData",
                                       [](const std::string& p) {
                                           std::ofstream(p, std::ios::binary) << std::string("\0\x13\xff[Current]\0", 13);
                                       }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupSequence, CatalogueNoticesAreShownOnceTheCatalogueIsOpen)
{
    test_support::copyFixtureSet("xbase/small", dir.path());
    fs::remove(dir.file("ALBUMS.DBF"));
    run();
    const auto notices = prompter.texts(ScriptedPrompter::Kind::Info);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("ALBUMS.FPT.orphaned-"), std::string::npos) << notices[0];
    EXPECT_TRUE(called("finish"));
}

}  // namespace
