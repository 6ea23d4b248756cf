// Which folder is the program directory, and where shipped files are found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/program_directory.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

namespace fs = std::filesystem;

app::DirectoryInputs inputs(bool exeWritable)
{
    return {"/opt/vinora/bin", "", "/home/u/.data", "/home/u", [exeWritable](const std::string&) { return exeWritable; }};
}

TEST(ProgramDirectory, WritableExecutableFolderIsTheProgramDirectory)
{
    EXPECT_EQ(app::chooseProgramDirectory(inputs(true)), "/opt/vinora/bin/");
}

TEST(ProgramDirectory, ReadOnlyExecutableFolderFallsBackToTheUsersDataFolder)
{
    EXPECT_EQ(app::chooseProgramDirectory(inputs(false)), "/home/u/.data/vinora/");
    auto in = inputs(false);
    in.xdgDataHome.clear();
    EXPECT_EQ(app::chooseProgramDirectory(in), "/home/u/.local/share/vinora/");
    // A relative XDG_DATA_HOME is invalid and ignored.
    in.xdgDataHome = "relative/data";
    EXPECT_EQ(app::chooseProgramDirectory(in), "/home/u/.local/share/vinora/");
}

TEST(ProgramDirectory, VinoraHomeOverridesBoth)
{
    auto in = inputs(true);
    in.vinoraHome = "/media/usb/music/";
    EXPECT_EQ(app::chooseProgramDirectory(in), "/media/usb/music/");
    in.vinoraHome = "/media/usb/music/../collection";
    EXPECT_EQ(app::chooseProgramDirectory(in), "/media/usb/collection/");
    in.vinoraHome = "here";
    EXPECT_EQ(app::chooseProgramDirectory(in), (fs::current_path() / "here").string() + "/");
}

TEST(ProgramDirectory, ShippedDataBesideTheExecutableThenInShare)
{
    test_support::TempDir root;
    const std::string bin = root.path() + "/bin";
    fs::create_directories(bin);
    EXPECT_EQ(app::shippedDataDirectory(bin), "");
    fs::create_directories(root.path() + "/share/vinora");
    EXPECT_EQ(app::shippedDataDirectory(bin), root.path() + "/share/vinora/");
    fs::create_directories(bin + "/data");
    EXPECT_EQ(app::shippedDataDirectory(bin), bin + "/data/");
}

TEST(ProgramDirectory, EnteringCreatesTheFolderAndMakesItTheWorkingDirectory)
{
    test_support::TempDir root;
    const fs::path before = fs::current_path();
    const std::string dir = root.path() + "/a/b/";
    app::enterProgramDirectory(dir);
    EXPECT_EQ(fs::current_path(), fs::path(root.path()) / "a" / "b");
    fs::current_path(before);

    const std::string blocked = root.path() + "/file";
    std::ofstream(blocked) << "x";
    EXPECT_THROW(app::enterProgramDirectory(blocked + "/sub/"), xbase::XbaseError);
}

}  // namespace
