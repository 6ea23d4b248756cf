// The INI rules the settings file keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/ini_file.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

using settings::IniFile;

TEST(IniFile, ValueIsEverythingAfterTheFirstEqualsSign)
{
    IniFile ini = IniFile::parse("[Official]\r\nGenre1=  new age = yes \r\n[Media]\r\n<no copy>=  \r\n");
    EXPECT_EQ(ini.value("Official", "Genre1"), "  new age = yes ");
    EXPECT_EQ(ini.value("Media", "<no copy>"), "  ");
    EXPECT_EQ(ini.value("Media", "CD-R"), std::nullopt);
}

TEST(IniFile, NamesMatchWithoutCaseAndFirstMatchCounts)
{
    IniFile ini = IniFile::parse("[current]\nhost = first\nHOST=second\n; Player=comment\n");
    EXPECT_EQ(ini.readString("CURRENT", "Host", "-"), " first");
    EXPECT_EQ(ini.readString("Current", "Player", "-"), "-");
    ini.writeString("Current", "HoSt", "x");
    EXPECT_EQ(ini.text(), "[current]\r\nhost=x\r\nHOST=second\r\n; Player=comment\r\n");
}

TEST(IniFile, WritesKeepOrderAndUntouchedLines)
{
    IniFile ini = IniFile::parse("; kept\r\n[A]\r\nb=1\r\na=2\r\n\r\n[B]\r\nc=3\r\n");
    ini.writeString("A", "new", "4");
    ini.writeString("C", "d", "5");
    ini.writeInteger("B", "c", 6);
    EXPECT_EQ(ini.text(), "; kept\r\n[A]\r\nb=1\r\na=2\r\nnew=4\r\n\r\n[B]\r\nc=6\r\n[C]\r\nd=5\r\n");
    ini.eraseSection("a");
    EXPECT_EQ(ini.text(), "; kept\r\n[B]\r\nc=6\r\n[C]\r\nd=5\r\n");
    ini.writeString("B", "c", "broken\r\nline");
    EXPECT_EQ(ini.value("B", "c"), "broken");
}

TEST(IniFile, NumbersAndBooleans)
{
    IniFile ini = IniFile::parse("[C]\nn= 42 \nneg=-3\nbad=4x\nempty=\nb=2\nz=0\n");
    EXPECT_EQ(ini.readInteger("C", "n", 7), 42);
    EXPECT_EQ(ini.readInteger("C", "neg", 7), -3);
    EXPECT_EQ(ini.readInteger("C", "bad", 7), 7);
    EXPECT_EQ(ini.readInteger("C", "empty", 7), 7);
    EXPECT_EQ(ini.readInteger("C", "missing", 7), 7);
    EXPECT_TRUE(ini.readBool("C", "b", false));
    EXPECT_FALSE(ini.readBool("C", "z", true));
    EXPECT_TRUE(ini.readBool("C", "bad", true));
}

TEST(IniFile, Windows1252BytesSurviveASaveAndLoad)
{
    test_support::TempDir dir;
    const std::string path = dir.file("x.ini");
    EXPECT_TRUE(IniFile::load(path).text().empty()) << "a missing file is empty";
    IniFile ini;
    ini.writeString("Genre", "Genre1", "Chanson fran\xe7" "aise \x80");
    ini.save(path);
    EXPECT_EQ(test_support::readFile(path), "[Genre]\r\nGenre1=Chanson fran\xe7" "aise \x80\r\n");
    EXPECT_EQ(IniFile::load(path).value("genre", "GENRE1"), "Chanson fran\xe7" "aise \x80");
    EXPECT_THROW(ini.save(dir.file("no/such/dir.ini")), xbase::XbaseError);
}

TEST(IniFile, SaveReplacesTheFileAndNeverWritesIntoIt)
{
    test_support::TempDir dir;
    const std::string path = dir.file("x.ini");
    IniFile::parse("[A]\r\nk=old\r\n").save(path);
    // A second name for the old file: writing in place would change it too.
    std::filesystem::create_hard_link(path, dir.file("old.ini"));
    IniFile::parse("[A]\r\nk=new\r\n").save(path);
    EXPECT_EQ(test_support::readFile(dir.file("old.ini")), "[A]\r\nk=old\r\n");
    EXPECT_EQ(IniFile::load(path).value("A", "k"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary left";
}

TEST(IniFile, LoadReadsAnEmptyFileAndRefusesWhatIsNoSettingsFile)
{
    test_support::TempDir dir;
    std::ofstream(dir.file("empty.ini"));
    EXPECT_TRUE(IniFile::load(dir.file("empty.ini")).text().empty());
    std::filesystem::create_directory(dir.file("folder.ini"));
    EXPECT_THROW(IniFile::load(dir.file("folder.ini")), xbase::XbaseError);
    std::ofstream(dir.file("binary.ini"), std::ios::binary) << std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10);
    EXPECT_THROW(IniFile::load(dir.file("binary.ini")), xbase::XbaseError);
}

}  // namespace
