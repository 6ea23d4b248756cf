// The program's start and its response on a generated collection of 20,000
// albums: process start to the first paint of the albums grid (the first
// start builds the indexes; the later ones are timed, after a clean end and
// after an unclean one, which checks every index in full), then the
// keyboard jump and order changes, each up to its repaint. Prints the
// numbers; a benchmark, not a test: nothing here passes or fails.
//
//   startup_bench [albums]      (default 20000)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTimer>

#include "app/ui/main_window.h"
#include "app/ui/program.h"
#include "catalogue/catalogue.h"
#include "catalogue/run_mark.h"
#include "collection_generator.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/message_box_prompter.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kChildFlag = "--child";
constexpr int kTimedStarts = 5;

double since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// In the child: says "painted" once the albums grid has painted albums,
// then ends the process at once.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(common::ui::CursorGrid* grid) : grid_(grid) { grid->viewport()->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && grid_->model()->rowCount() > 0) {
            seen_ = true;
            // Reported once the paint event has been handled.
            QTimer::singleShot(0, [] {
                static const char kLine[] = "painted\n";
                (void)!::write(STDOUT_FILENO, kLine, sizeof kLine - 1);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    common::ui::CursorGrid* grid_;
    bool seen_ = false;
};

int runChild(int argc, char** argv)
{
    QApplication application(argc, argv);
    app::ui::Program program;
    if (!program.start())
        return 1;
    FirstPaint watch(program.mainWindow()->findChild<common::ui::CursorGrid*>("AlbumsGrid"));
    return QApplication::exec();
}

// Milliseconds from fork to the child's "painted".
double timedStart(const std::string& self, const std::string& home)
{
    int out[2];
    if (::pipe(out) != 0)
        return -1;
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::setenv("VINORA_HOME", home.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(self.c_str(), self.c_str(), kChildFlag, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(out[1]);
    char buffer[16] = {};
    const ssize_t n = ::read(out[0], buffer, sizeof buffer - 1);
    const double ms = since(start);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return n > 0 && std::strncmp(buffer, "painted", 7) == 0 ? ms : -1;
}

void row(const char* what, double ms, const std::string& note = "")
{
    std::printf("  %-46s %9.2f ms  %s\n", what, ms, note.c_str());
}

// One user step: the event, then the grid repainted.
double timedStep(common::ui::CursorGrid* grid, const std::function<void()>& step)
{
    const auto start = Clock::now();
    step();
    grid->viewport()->repaint();
    return since(start);
}

void inProcess(int argc, char** argv, const std::string& home)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    common::ProgramState state;
    state.programDir = home + "/";
    common::ui::MessageBoxPrompter prompter(state.programDir);
    app::ui::MainWindow form(state, prompter);
    catalogue::Catalogue catalogue(state.programDir);
    form.setCatalogue(&catalogue);
    QSignalSpy finished(&form, &app::ui::MainWindow::startupFinished);
    form.show();
    if (!finished.wait(60000)) {
        std::printf("  the start-up sequence did not finish\n");
        return;
    }
    auto* grid = form.findChild<common::ui::CursorGrid*>("AlbumsGrid");

    std::vector<double> jumps;
    for (char c = 'A'; c <= 'Z'; ++c)
        jumps.push_back(timedStep(grid, [&] {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (c - 'A'), Qt::NoModifier, QString(QChar(c).toLower()));
            QApplication::sendEvent(grid, &key);
        }));
    std::sort(jumps.begin(), jumps.end());
    row("keyboard jump, A to Z (median)", jumps[jumps.size() / 2]);
    row("keyboard jump, A to Z (slowest)", jumps.back());

    const char* titles[] = {"Artist", "Album", "Media Label/Directory", "Genre"};
    for (int column : {1, 2, 3, 0})
        row((std::string("order by ") + titles[column]).c_str(), timedStep(grid, [&] { form.orderByTitle(column); }));
    std::vector<double> repeats;
    for (int i = 0; i < 20; ++i)
        repeats.push_back(timedStep(grid, [&] { form.orderByTitle(0); }));
    std::sort(repeats.begin(), repeats.end());
    row("repeated Artist click: next artist (slowest)", repeats.back());
    row("natural order", timedStep(grid, [&] { form.naturalOrder(); }));
    row("back to order by Artist", timedStep(grid, [&] { form.orderByTitle(0); }));
    form.setCatalogue(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0)
        return runChild(argc, argv);

    const std::uint32_t albums = argc > 1 ? static_cast<std::uint32_t>(std::atol(argv[1])) : 20000;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string home = bench::freshCollectionDir("startup-bench", albums);
    const bench::CollectionSize size = bench::generateCollection(home, albums);
    // No tip window in the way of the paint.
    std::ofstream(home + "/Vinoratips.txt", std::ios::binary) << "False\r\nA tip\r\n";
    std::printf("\n%u albums, %u tracks (target: first paint under 300 ms, jump and order under 50 ms)\n",
                size.albums, size.tracks);

    row("first start, indexes built: to first paint", timedStart(self, home));
    // The child ends without closing, so its run mark stays: removed, the
    // next start follows a clean end; left, an unclean one.
    const std::string mark = home + "/" + std::string(catalogue::RunMark::kFileName);
    const auto timedStarts = [&](const char* what, bool clean) {
        std::vector<double> starts;
        for (int i = 0; i < kTimedStarts; ++i) {
            if (clean)
                std::filesystem::remove(mark);
            else
                std::ofstream(mark, std::ios::binary).flush();
            starts.push_back(timedStart(self, home));
        }
        std::sort(starts.begin(), starts.end());
        row(what, starts[starts.size() / 2],
            "median of " + std::to_string(kTimedStarts) + ", slowest " + std::to_string(starts.back()) + " ms");
    };
    timedStarts("after a clean end: process start to first paint", true);
    timedStarts("after an unclean end (full index check): same", false);
    std::filesystem::remove(mark);

    inProcess(argc, argv, home);
    std::filesystem::remove_all(home);
    return 0;
}
