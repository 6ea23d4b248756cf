// A damaged index under the main window: the start-up or a grid fails where
// it reads it, the program goes on, and the user is asked once whether to
// rebuild the indexes.
#include <filesystem>

#include <QElapsedTimer>
#include <QTest>

#include "app/ui/engine_fault_offer.h"
#include "catalogue/run_mark.h"
#include "common/ansi_text.h"
#include "main_window_fixture.h"
#include "support/fixture_files.h"
#include "text_escape.h"
#include "xbase/cdx_checker.h"
#include "xbase/table.h"

namespace {

using test_support::ScriptedPrompter;

constexpr int kLiveAlbums = 3120;
constexpr int kArtistWidth = 50;
constexpr std::streamoff kLeafEntries = 24;

struct Damage {
    const char* name;
    const char* file;
    std::streamoff page;
};

// Leaves of the medium collection: start-up's look at the index headers
// passes both.
const Damage kDamages[] = {
    // In the middle of the Artist tag: counting the albums at start-up
    // meets it.
    {"ArtistLeafMetAtStartup", "ALBUMS.CDX", 0x11800},
    // Where the marks of the first album's tracks are: painting the tracks
    // grid meets it.
    {"PlaylistLeafMetPainting", "PLAYLIST.CDX", 0x4800},
};

void PrintTo(const Damage& d, std::ostream* out) { *out << d.name; }

class DamagedIndexWindow : public test_support::MainWindowFixture, public testing::WithParamInterface<Damage> {
protected:
    void SetUp() override
    {
        useCollection("xbase/medium");
        ASSERT_TRUE(test_support::damageFile(dir.file(GetParam().file), GetParam().page + kLeafEntries, 1));
    }

    std::vector<std::string> questions() const { return prompter.texts(ScriptedPrompter::Kind::Confirm); }

    static bool waitFor(const std::function<bool()>& done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 20000)
            QTest::qWait(20);
        return done();
    }

    bool runMarkLeft() const { return std::filesystem::exists(dir.file(std::string(catalogue::RunMark::kFileName))); }
};

// The Artist column in the reference engine's Artist tag order, upper case
// in ASCII as its keys hold it.
std::vector<std::string> referenceArtists()
{
    std::vector<std::string> artists;
    for (const auto& row :
         test_support::tabRows(test_support::fixturePath("xbase/medium/expected/ALBUMS.tag.ARTIST.live.txt"))) {
        std::string key = vinora_dbf::unescape(row.at(1)).substr(0, kArtistWidth);
        key.erase(key.find_last_not_of(' ') + 1);
        artists.push_back(key);
    }
    return artists;
}

std::string asciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

TEST_P(DamagedIndexWindow, AsksOnceAndYesRebuildsEveryIndex)
{
    prompter.answerConfirm(true);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(waitFor([&] { return !questions().empty() && albums()->rowCount() == kLiveAlbums; }));
    QTest::qWait(200);

    ASSERT_EQ(questions().size(), 1u);
    const std::string question = questions()[0];
    EXPECT_NE(question.find(GetParam().file), std::string::npos) << question;
    EXPECT_TRUE(question.ends_with(app::ui::EngineFaultOffer::kRebuildQuestion)) << question;
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error), std::vector<std::string>{});

    for (const char* table : {"ALBUMS.DBF", "TRACKS.DBF", "PLAYLIST.DBF", "ARTISTS.DBF"}) {
        auto opened = xbase::Table::open(dir.file(table), xbase::OpenMode::Shared);
        EXPECT_EQ(xbase::CdxChecker::check(*opened->index()), std::vector<std::string>{}) << table;
    }
    std::vector<std::string> shown;
    for (int row = 0; row < albums()->rowCount(); ++row)
        shown.push_back(asciiUpper(common::toAnsi(cell(albums(), row, 0))));
    EXPECT_EQ(shown, referenceArtists());
    EXPECT_GT(tracks()->rowCount(), 0);
    EXPECT_EQ(mainWindow->windowTitle(), " Vinora - Music Collection Manager");

    mainWindow->close();
    EXPECT_FALSE(runMarkLeft());
}

TEST_P(DamagedIndexWindow, NoKeepsTheProgramGoingAndTheNextStartChecksInFull)
{
    for (int i = 0; i < 5; ++i)
        prompter.answerConfirm(false);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(waitFor([&] { return !questions().empty(); }));
    // A failed grid stays blank on every paint without asking again.
    for (int i = 0; i < 3; ++i) {
        albumsGrid()->viewport()->repaint();
        tracksGrid()->viewport()->repaint();
        QTest::qWait(50);
    }
    EXPECT_EQ(questions().size(), 1u);

    // A title click may meet the damage again: at most one more question
    // each, and the program goes on.
    for (int column = 0; column < 4; ++column) {
        clickTitle(column);
        QTest::qWait(50);
    }
    EXPECT_LE(questions().size(), 5u);
    EXPECT_TRUE(mainWindow->isVisible());

    mainWindow->close();
    EXPECT_NE(settingsText().find("WState="), std::string::npos);
    EXPECT_TRUE(runMarkLeft());
}

INSTANTIATE_TEST_SUITE_P(MediumCollection, DamagedIndexWindow, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

}  // namespace
