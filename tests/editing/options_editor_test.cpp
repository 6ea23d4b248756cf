// The options window's rules: what OK writes and applies, the checks, the
// protocol choice and the host list.
#include <gtest/gtest.h>

#include "editing/options_editor.h"
#include "settings/ini_file.h"
#include "support/temp_dir.h"

namespace {

using editing::Option;
using editing::OptionsEditor;

class OptionsEditorTest : public testing::Test {
protected:
    OptionsEditorTest()
    {
        settings::IniFile::parse("[Current]\r\nHost=b.example.org\r\nProtocol=T\r\nName=Mine\r\n"
                                 "[Site]\r\nSite1= c.example.org\r\nSite2=b.example.org\r\n")
            .save(dir.file("Vinora.ini"));
        running = file.read();
    }
    std::string stored(std::string_view section, std::string_view key) const
    {
        return settings::IniFile::load(dir.file("Vinora.ini")).readString(section, key, "<none>");
    }
    std::vector<std::string> sites() const { return file.sectionValues("Site"); }
    static std::string noDrive() { return "/dev/sr0"; }

    test_support::TempDir dir;
    settings::SettingsFile file{{dir.path() + "/", [] { return std::string("/dev/sr0"); }}};
    settings::ProgramSettings running;
    OptionsEditor editor{file, running, [](const std::string& program) { return program == "/usr/bin/viewer"; }};
};

TEST_F(OptionsEditorTest, OkWritesLoadedValuesBackButTheHostAndDriveOnlyWhenChanged)
{
    editing::OptionsValues values = editor.activate();
    EXPECT_EQ(values.hosts, (std::vector<std::string>{"c.example.org", "b.example.org"}));
    EXPECT_EQ(values.host, "b.example.org");
    EXPECT_FALSE(editor.changed(Option::Host));
    EXPECT_FALSE(editor.changed(Option::DriveEntry));
    EXPECT_TRUE(editor.changed(Option::Name));

    values.host = "a.example.org";  // typed, but no change reported by the window
    EXPECT_TRUE(editor.accept(values, noDrive).empty());  // empty mail and server are "not set"
    EXPECT_EQ(stored("Current", "Host"), "b.example.org");
    EXPECT_EQ(stored("Current", "DriveNr"), "<none>");
    EXPECT_EQ(stored("Current", "Hint"), "1");
    EXPECT_EQ(stored("Current", "Name"), "Mine");
}

TEST_F(OptionsEditorTest, ATypedHostIsAppliedAndKeptSortedAtCloseABlankOneNever)
{
    editing::OptionsValues values = editor.activate();
    values.host = "   ";
    editor.markChanged(Option::Host);
    editor.accept(values, noDrive);
    EXPECT_EQ(running.host, "b.example.org");
    EXPECT_EQ(stored("Current", "Host"), "b.example.org");

    values.host = "a.example.org";
    editor.accept(values, noDrive);
    EXPECT_EQ(running.host, "a.example.org");
    EXPECT_EQ(stored("Current", "Host"), "a.example.org");
    editor.close(values.hosts);
    EXPECT_EQ(sites(), (std::vector<std::string>{"a.example.org", "b.example.org", "c.example.org"}));
}

TEST_F(OptionsEditorTest, ChecksReportWhatWasTypedWrongAndTheWritesStillHappen)
{
    editing::OptionsValues values = editor.activate();
    values.mail = "nobody";
    values.server = "localhost";
    values.viewer = "/usr/bin/viewer";
    values.player = "/missing/player";
    values.labeler = "/missing/labeler";
    values.name = "Jazz shelf";
    for (Option option : {Option::Mail, Option::Server, Option::Viewer, Option::Player, Option::Labeler})
        editor.markChanged(option);
    EXPECT_EQ(editor.accept(values, noDrive),
              (std::vector<std::string>{OptionsEditor::kInvalidMail, OptionsEditor::kInvalidServer,
                                        OptionsEditor::kInvalidPlayer, OptionsEditor::kInvalidLabeler}));
    EXPECT_EQ(stored("Current", "Mail"), "nobody");
    EXPECT_EQ(stored("Current", "Name"), "Jazz shelf");
    EXPECT_EQ(running.name, "Jazz shelf");
}

TEST_F(OptionsEditorTest, ProtocolChoiceRulesAtOnceAndCancelRestoresIt)
{
    editing::OptionsValues values = editor.activate();
    editor.chooseProtocol(values, true);
    EXPECT_EQ(running.protocol, "H");
    editor.cancel();
    EXPECT_EQ(running.protocol, "T");
    EXPECT_EQ(stored("Current", "Protocol"), "T");

    editor.chooseProtocol(values, true);
    editor.accept(values, noDrive);
    editor.cancel();
    EXPECT_EQ(running.protocol, "H");
    EXPECT_EQ(stored("Current", "Protocol"), "H");
}

TEST_F(OptionsEditorTest, TheLookupOrderIsWrittenAndAppliedOnlyWhenChosen)
{
    editing::OptionsValues values = editor.activate();
    values.lookupOrder = settings::LookupOrder::MusicBrainzOnly;  // not reported as chosen
    editor.accept(values, noDrive);
    EXPECT_EQ(stored("Current", "Lookup"), "<none>");
    EXPECT_EQ(running.lookupOrder, settings::LookupOrder::CddbFirst);

    editor.markChanged(Option::LookupOrder);
    editor.accept(values, noDrive);
    EXPECT_EQ(stored("Current", "Lookup"), "MusicBrainzOnly");
    EXPECT_EQ(running.lookupOrder, settings::LookupOrder::MusicBrainzOnly);
    EXPECT_EQ(editor.activate().lookupOrder, settings::LookupOrder::MusicBrainzOnly);
}

TEST_F(OptionsEditorTest, APickedDrivePathWinsOverTheDriveEntry)
{
    editing::OptionsValues values = editor.activate();
    values.driveEntry = 1;
    values.drivePath = "/home/me/disc.cue";
    editor.markChanged(Option::DriveEntry);
    editor.markChanged(Option::DrivePath);
    editor.accept(values, noDrive);
    EXPECT_EQ(stored("Current", "DriveNr"), "1");
    EXPECT_EQ(stored("Current", "CDPath"), "/home/me/disc.cue");
    EXPECT_EQ(running.cdPath, "/home/me/disc.cue");
}

TEST_F(OptionsEditorTest, RefreshedHostsReplaceTheListAndAreStoredInTheirOrder)
{
    editing::OptionsValues values = editor.activate();
    editor.hostsRefreshed(values, {"z.example.org", "y.example.org", "x.example.org"});
    EXPECT_EQ(values.host, "z.example.org");  // the current one is not among them
    editor.accept(values, noDrive);
    EXPECT_EQ(sites(), (std::vector<std::string>{"z.example.org", "y.example.org", "x.example.org"}));
    EXPECT_EQ(stored("Current", "Host"), "z.example.org");
    editor.close(values.hosts);
    EXPECT_EQ(sites(), (std::vector<std::string>{"x.example.org", "y.example.org", "z.example.org"}));
}

}  // namespace
