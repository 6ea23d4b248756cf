#include "reports/ui/printed_report.h"

#include "reports/print/report_document.h"
#include "reports/ui/report_preview_window.h"

namespace reports::ui {

void showPrintedReport(QWidget* parent, reports::RecordSelection& selection, const std::vector<std::string>& fields,
                       common::Prompter& prompter, const std::string& programDir,
                       const ReportPreviewWindow::StepWrapper& whileGridsDetached)
{
    print::ReportDocument document(selection, fields, programDir);
    ReportPreviewWindow preview(document, prompter, programDir, whileGridsDetached, parent);
    preview.exec();
}

}  // namespace reports::ui
