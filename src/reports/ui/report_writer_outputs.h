#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/prompter.h"
#include "common/progress.h"
#include "platform/desktop_launcher.h"
#include "reports/field_choice.h"
#include "reports/record_selection.h"

class QStatusBar;
class QString;
class QWidget;

namespace search {
class FilterHistory;
}

namespace reports::ui {

inline constexpr std::string_view kReportWriterReadyText =
    "Select your options, then click Run Report/Create Webpage/Create CSV/Media Space";

// The four outputs of the report writer, each from a fresh selection: the
// CSV or XML data files, the web page opened in the browser, and the
// printed report. Selecting and writing run in a worker thread under a
// progress window while the main window's grids let go of the tables; a
// failure is shown in the error box and ends that output.
class ReportWriterOutputs {
public:
    struct Services {
        std::string programDir;
        common::Prompter& prompter;
        platform::DesktopLauncher& desktop;
        std::function<void(std::string_view page)> openPage;
        // Runs a step while the main window's grids read no table; none
        // runs it as it is.
        std::function<void(const std::function<void()>& step)> whileGridsDetached;
    };

    // `window` is the report writer: the parent of what the outputs show,
    // with its status bar.
    ReportWriterOutputs(Services services, QWidget& window, QStatusBar& status, search::FilterHistory& albumsHistory,
                        search::FilterHistory& tracksHistory);

    void writeDataFiles(OutputKind kind, const SelectionSettings& settings);
    void writeWebPage(const SelectionSettings& settings);
    void printReport(const SelectionSettings& settings);

    const Services& services() const { return services_; }

private:
    // Selects afresh; false (the user told) when there is nothing to output.
    bool prepare(const SelectionSettings& settings);
    std::vector<std::string> chooseFields(OutputKind kind, bool includeTracks);
    void inWorker(const QString& label, bool cancellable, const std::function<void(common::Progress&)>& step);
    // Runs `output`, shows what it threw, and leaves the window ready for
    // the next one: tables let go, status text back.
    void run(const std::function<void()>& output);
    void showStatus(std::string_view text);

    Services services_;
    QWidget& window_;
    QStatusBar& status_;
    search::FilterHistory& albumsHistory_;
    search::FilterHistory& tracksHistory_;
    RecordSelection selection_;
};

}  // namespace reports::ui
