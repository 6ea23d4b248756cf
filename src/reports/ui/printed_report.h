#pragma once

#include <string>
#include <vector>

#include "common/prompter.h"
#include "reports/record_selection.h"
#include "reports/ui/report_preview_window.h"

class QWidget;

namespace reports::ui {

// Builds the printed report of the prepared `selection` with the chosen `fields` (the artists list when they are
// exactly {"ARTIST"}) and shows it in the preview until the user closes it. Printing and saving read the tables
// in a worker thread inside `whileGridsDetached`, so nothing else reads them meanwhile. Throws xbase::XbaseError
// when a table fails.
void showPrintedReport(QWidget* parent, reports::RecordSelection& selection, const std::vector<std::string>& fields,
                       common::Prompter& prompter, const std::string& programDir,
                       const ReportPreviewWindow::StepWrapper& whileGridsDetached);

}  // namespace reports::ui
