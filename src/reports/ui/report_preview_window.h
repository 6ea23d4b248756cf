#pragma once

#include <functional>
#include <string>

#include <QDialog>
#include <QImage>

#include "common/progress.h"
#include "common/prompter.h"

class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;

namespace reports::print {
class ReportDocument;
}

namespace reports::ui {

// Shows a printed report a page at a time, drawing only the page in view,
// while the rest is paged in the background; prints it or saves it as a PDF.
// The report's tables are read on this thread only, except while printing
// or saving, when the progress window keeps everything else still.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT

public:
    // Runs a step that reads the tables off the window thread; an empty
    // wrapper runs it as it is.
    using StepWrapper = std::function<void(const std::function<void()>&)>;

    // Requires: `document` outlives the window. Throws xbase::XbaseError when
    // the first page cannot be read.
    ReportPreviewWindow(print::ReportDocument& document, common::Prompter& prompter, std::string programDir,
                        StepWrapper wrapStep, QWidget* parent = nullptr);

    std::size_t currentPage() const { return page_; }
    // Shows page `index` (0-based) when the report has it.
    void showPage(std::size_t index);
    void zoomBy(double factor);
    // Writes the report as a PDF to `path` under a progress window; a
    // failure is told through the prompter.
    void saveAsPdf(const std::string& path);

private:
    void print();
    void chooseAndSavePdf();
    void layOutMore();
    void render();
    void updatePageCount();
    // Runs `step` (reading the report's tables) under the progress window;
    // a table or file failure is told through the prompter.
    void runStep(const QString& label, const std::function<void(common::Progress&)>& step);

    print::ReportDocument& document_;
    common::Prompter& prompter_;
    std::string programDir_;
    StepWrapper wrapStep_;
    // While a step reads the report's tables on its thread, the window
    // leaves them alone (its controls can still fire as focus moves).
    bool stepRunning_ = false;
    std::size_t page_ = 0;
    double zoom_ = 1.0;
    QScrollArea* scroll_;
    QLabel* pageImage_;
    QSpinBox* pageBox_;
    QLabel* pageCount_;
    QLabel* zoomText_;
    QTimer* layoutTimer_;
};

}  // namespace reports::ui
