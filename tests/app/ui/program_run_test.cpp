// The built program as a user meets it: on a display without a window
// manager or on Qt's offscreen one, over empty and damaged collections, with
// nobody answering its windows, ended by SIGTERM. It must stay up, end with
// status 0 and leave every index whole, and the next start must work at once.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>

#include "app/single_instance.h"
#include "catalogue/run_mark.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStartMs = 15000;
constexpr int kEndMs = 15000;
// After answering a later start the program opens its collection and paints
// it (where a damaged index shows); it must still be running after this.
constexpr int kSurviveMs = 800;
constexpr const char* kTables[] = {"ALBUMS", "TRACKS", "PLAYLIST", "ARTISTS"};

void damage(const std::string& path, long offset)
{
    ASSERT_TRUE(test_support::damageFile(path, offset, static_cast<unsigned>(offset))) << path;
}

std::string mediumCopy(const test_support::TempDir& home)
{
    test_support::copyFixtureSet("xbase/medium", home.path());
    return home.path();
}

// One start of the program on `home`, ended by SIGTERM.
class ProgramRun {
public:
    ProgramRun(const std::string& home, bool underXvfb) : home_(home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VINORA_HOME", QString::fromStdString(home));
        if (underXvfb) {
            env.remove("QT_QPA_PLATFORM");
            env.remove("DISPLAY");
            env.remove("WAYLAND_DISPLAY");
        } else {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        }
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        pidFile_ = home + "/../" + fs::path(home).filename().string() + ".pid";
        if (underXvfb) {
            // The shell tells its process id, then becomes the program.
            process_.start("xvfb-run", {"-a", "sh", "-c", "echo $$ > \"$1\"; exec \"$0\"", VINORA_PROGRAM,
                                        QString::fromStdString(pidFile_)});
        } else {
            process_.start(VINORA_PROGRAM, {});
        }
    }

    ~ProgramRun()
    {
        if (process_.state() != QProcess::NotRunning) {
            if (const qint64 pid = programPid(); pid > 0)
                ::kill(static_cast<pid_t>(pid), SIGKILL);
            process_.kill();
            process_.waitForFinished(kEndMs);
        }
        fs::remove(pidFile_);
    }

    static QString socketName(const std::string& home)
    {
        return app::SingleInstance::serverName("Vinora", app::SingleInstance::currentUser(), home + "/");
    }

    // Asks the program to come to the front, as a later start does, and
    // waits for its answer: its window is up and its start-up under way.
    ::testing::AssertionResult answersLaterStart()
    {
        QLocalSocket socket;
        for (int waited = 0; waited < kStartMs; waited += 50) {
            if (process_.state() == QProcess::NotRunning)
                return ::testing::AssertionFailure() << "the program ended at start, status " << process_.exitCode();
            socket.connectToServer(socketName(home_));
            if (socket.waitForConnected(50))
                break;
            process_.waitForFinished(50);
        }
        if (socket.state() != QLocalSocket::ConnectedState)
            return ::testing::AssertionFailure() << "the program does not listen for later starts";
        socket.write("raise\n");
        if (!socket.waitForReadyRead(kStartMs) || socket.readLine() != "ok\n")
            return ::testing::AssertionFailure() << "the program does not answer a later start";
        return ::testing::AssertionSuccess();
    }

    // Still running after the collection had time to show.
    bool survives() { return !process_.waitForFinished(kSurviveMs); }

    // SIGTERM; the exit status, or -1 when it ended by a signal or not at all.
    int terminate()
    {
        const qint64 pid = programPid();
        if (pid <= 0 || ::kill(static_cast<pid_t>(pid), SIGTERM) != 0)
            return -1;
        if (!process_.waitForFinished(kEndMs) || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }

private:
    qint64 programPid() const
    {
        if (pidFile_.empty() || !fs::exists(pidFile_))
            return process_.processId();
        qint64 pid = 0;
        std::ifstream(pidFile_) >> pid;
        return pid;
    }

    std::string home_;
    std::string pidFile_;
    QProcess process_;
};

struct RunCase {
    const char* name;
    bool underXvfb;
    std::function<void(const test_support::TempDir&)> prepare;
    // What must hold after the first run besides whole indexes.
    std::function<void(const test_support::TempDir&)> afterward;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class ProgramRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(ProgramRunTest, StaysUpEndsCleanlyOnSigtermAndLeavesWholeIndexes)
{
    test_support::TempDir home;
    ASSERT_NO_FATAL_FAILURE(GetParam().prepare(home));

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ProgramRun program(home.path(), GetParam().underXvfb);
        ASSERT_TRUE(program.answersLaterStart());
        ASSERT_TRUE(program.survives()) << "the program ended by itself";
        ASSERT_EQ(program.terminate(), 0);
        EXPECT_NE(test_support::readFile(home.file("Vinora.ini")).find("WState="), std::string::npos);
        EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/" + ProgramRun::socketName(home.path())));
        if (run == 1 && GetParam().afterward)
            GetParam().afterward(home);
    }
    for (const char* table : kTables) {
        int status = -1;
        const std::string report = test_support::runCapture(
            std::string(VINORA_DBF_TOOL) + " check '" + home.file(std::string(table) + ".DBF") + "' 2>&1", &status);
        EXPECT_EQ(status, 0) << table << ": " << report;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Collections, ProgramRunTest,
    testing::Values(
        RunCase{"EmptyFolderUnderXvfb", true, [](const test_support::TempDir&) {}, {}},
        // Torn by a crash: the run's mark is still there.
        RunCase{"DamagedPlaylistPageAfterACrash", false,
                [](const test_support::TempDir& home) {
                    damage(mediumCopy(home) + "/PLAYLIST.CDX", 9582);
                    std::ofstream(home.file(std::string(catalogue::RunMark::kFileName)));
                },
                {}},
        // An interior page of the Artist tag, below its root.
        RunCase{"DamagedAlbumsTreePage", false,
                [](const test_support::TempDir& home) { damage(mediumCopy(home) + "/ALBUMS.CDX", 0x4e600 + 12); },
                {}},
        RunCase{"EmptyAlbumsTable", false,
                [](const test_support::TempDir& home) { std::ofstream(home.file("ALBUMS.DBF")); }, {}},
        RunCase{"AlbumsTableMissing", false,
                [](const test_support::TempDir& home) { fs::remove(mediumCopy(home) + "/ALBUMS.DBF"); },
                [](const test_support::TempDir& home) {
                    const auto notes = fs::file_size(test_support::fixturePath("xbase/medium/ALBUMS.FPT"));
                    bool kept = false;
                    for (const auto& entry : fs::directory_iterator(home.path()))
                        kept |= entry.path().filename().string().rfind("ALBUMS.FPT.", 0) == 0 &&
                                entry.file_size() == notes;
                    EXPECT_TRUE(kept) << "the notes of the lost table were not kept";
                }},
        RunCase{"EmptySettingsFile", false,
                [](const test_support::TempDir& home) { std::ofstream(mediumCopy(home) + "/Vinora.ini"); }, {}}),
    [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

}  // namespace
