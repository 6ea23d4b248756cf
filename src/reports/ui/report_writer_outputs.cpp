#include "reports/ui/report_writer_outputs.h"

#include <QDir>
#include <QScopeGuard>
#include <QStatusBar>
#include <QWidget>

#include "catalogue/program_files.h"
#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/progress_step.h"
#include "reports/data_export.h"
#include "reports/html_page.h"
#include "reports/ui/field_choice_dialog.h"
#include "reports/ui/printed_report.h"

namespace reports::ui {
namespace {

constexpr std::string_view kFieldsHelpPage = "report.html";

}  // namespace

ReportWriterOutputs::ReportWriterOutputs(Services services, QWidget& window, QStatusBar& status,
                                         search::FilterHistory& albumsHistory, search::FilterHistory& tracksHistory)
    : services_(std::move(services)), window_(window), status_(status), albumsHistory_(albumsHistory),
      tracksHistory_(tracksHistory), selection_(services_.programDir)
{
}

void ReportWriterOutputs::writeDataFiles(OutputKind kind, const SelectionSettings& settings)
{
    run([&] {
        if (!prepare(settings))
            return;
        const std::vector<std::string> fields = chooseFields(kind, settings.includeTracks);
        if (fields.empty())
            return;
        std::vector<std::string> written;
        inWorker("Writing the files ...", true, [&](common::Progress& progress) {
            written = reports::writeDataFiles(selection_, kind, fields, services_.programDir, progress);
        });
        if (written.empty())
            return;
        std::string message = "These files created in directory\r" + services_.programDir + "\r";
        for (const std::string& name : written)
            message += "\r\t" + name;
        showStatus(kReportWriterReadyText);
        services_.prompter.info(message);
    });
}

void ReportWriterOutputs::writeWebPage(const SelectionSettings& settings)
{
    if (!HtmlPage::allowed(settings.order)) {
        services_.prompter.error(std::string(kHtmlOrderText));
        return;
    }
    run([&] {
        if (!prepare(settings))
            return;
        const std::string path = catalogue::joinPath(services_.programDir, kHtmlPageFile);
        bool written = false;
        inWorker("Writing the webpage ...", true,
                 [&](common::Progress& progress) { written = HtmlPage::write(selection_, path, progress); });
        if (written && !services_.desktop.openAddress(QString::fromStdString(path)))
            services_.prompter.error("Could not open \"" + path + "\":\rthe desktop has no application that opens it.");
    });
}

void ReportWriterOutputs::printReport(const SelectionSettings& settings)
{
    run([&] {
        // The print and file dialogs may move the working directory.
        const auto back = qScopeGuard([this] { QDir::setCurrent(QString::fromStdString(services_.programDir)); });
        if (!prepare(settings))
            return;
        const std::vector<std::string> fields = chooseFields(OutputKind::Printed, settings.includeTracks);
        if (!fields.empty())
            showPrintedReport(&window_, selection_, fields, services_.prompter, services_.programDir,
                              services_.whileGridsDetached);
    });
}

bool ReportWriterOutputs::prepare(const SelectionSettings& settings)
{
    showStatus("Preparing your report ...");
    std::string failure;
    inWorker("Preparing your report ...", false, [&](common::Progress&) {
        failure = selection_.prepare(settings, albumsHistory_, tracksHistory_);
    });
    if (failure.empty())
        return true;
    services_.prompter.error(failure);
    return false;
}

std::vector<std::string> ReportWriterOutputs::chooseFields(OutputKind kind, bool includeTracks)
{
    return FieldChoiceDialog::choose(
        kind, includeTracks, services_.prompter, [this] { services_.openPage(kFieldsHelpPage); }, &status_, &window_);
}

void ReportWriterOutputs::inWorker(const QString& label, bool cancellable,
                                   const std::function<void(common::Progress&)>& step)
{
    const auto stopping = cancellable ? common::ui::Stopping::Allowed : common::ui::Stopping::NotAllowed;
    const auto runStep = [&] { common::ui::runWithProgress(&window_, label, stopping, step); };
    if (services_.whileGridsDetached)
        services_.whileGridsDetached(runStep);
    else
        runStep();
}

void ReportWriterOutputs::run(const std::function<void()>& output)
{
    const auto ready = qScopeGuard([this] {
        selection_.release();
        showStatus(kReportWriterReadyText);
    });
    common::runAction(services_.prompter, output);
}

void ReportWriterOutputs::showStatus(std::string_view text)
{
    status_.showMessage(common::fromAnsi(text));
    status_.repaint();
}

}  // namespace reports::ui
