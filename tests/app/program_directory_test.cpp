// Which folder is the program directory, and where shipped files are found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/program_directory.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

namespace fs = std::filesystem;

// A writable executable folder is no reason to keep a collection there (a
// build folder is writable and goes with "rm -rf build"); a marker or a
// catalogue already there is.
struct Case {
    const char* name;
    const char* besideProgram;  // a file made in the executable's folder, or ""
    const char* vinoraHome;
    const char* xdgDataHome;
    const char* expected;  // "@" stands for the executable's folder
    bool notice;
};

class ChosenDirectory : public testing::TestWithParam<Case> {};

TEST_P(ChosenDirectory, FollowsTheMarkerTheCatalogueAndTheEnvironment)
{
    const Case& c = GetParam();
    test_support::TempDir exe;
    if (*c.besideProgram)
        std::ofstream(exe.file(c.besideProgram)) << "";
    const app::DirectoryInputs in{exe.path(), c.vinoraHome, c.xdgDataHome, "/home/u"};
    const std::string expected = std::string(c.expected) == "@" ? exe.path() + "/" : c.expected;
    EXPECT_EQ(app::chooseProgramDirectory(in), expected);
    const std::string notice = app::portableCollectionNotice(in);
    EXPECT_EQ(!notice.empty(), c.notice) << notice;
    if (c.notice) {
        EXPECT_NE(notice.find(exe.path()), std::string::npos) << "it says where the files are";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChosenDirectory,
    testing::Values(Case{"WritableFolderAloneIsNotEnough", "", "", "/home/u/.data", "/home/u/.data/vinora/", false},
                    Case{"NoXdgDataHome", "", "", "", "/home/u/.local/share/vinora/", false},
                    Case{"RelativeXdgDataHomeIsIgnored", "", "", "relative/data", "/home/u/.local/share/vinora/", false},
                    Case{"PortableMarker", "vinora.portable", "", "/home/u/.data", "@", false},
                    Case{"CatalogueAlreadyThere", "albums.dbf", "", "/home/u/.data", "@", true},
                    Case{"VinoraHomeOverridesAll", "vinora.portable", "/media/usb/music/", "/home/u/.data",
                         "/media/usb/music/", false},
                    Case{"VinoraHomeIsNormalized", "ALBUMS.DBF", "/media/usb/music/../collection", "",
                         "/media/usb/collection/", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramDirectory, RelativeVinoraHomeIsTakenFromTheWorkingDirectory)
{
    const app::DirectoryInputs in{"/opt/vinora/bin", "here", "", "/home/u"};
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
