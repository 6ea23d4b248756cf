#include "reports/ui/report_preview_window.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/progress_step.h"
#include "reports/print/report_band.h"
#include "reports/print/report_document.h"
#include "xbase/xbase_error.h"

namespace reports::ui {

namespace {

constexpr std::size_t kPagesPerIdleStep = 25;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.25;

QToolButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip = {},
                    const QKeySequence& keys = {})
{
    auto* result = new QToolButton(parent);
    result->setObjectName(name);
    result->setText(text);
    result->setToolTip(tip);
    result->setShortcut(keys);
    return result;
}

}  // namespace

ReportPreviewWindow::ReportPreviewWindow(print::ReportDocument& document, common::Prompter& prompter,
                                         std::string programDir, StepWrapper wrapStep, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompter_(prompter),
      programDir_(std::move(programDir)),
      wrapStep_(std::move(wrapStep)),
      scroll_(new QScrollArea(this)),
      pageImage_(new QLabel),
      pageBox_(new QSpinBox(this)),
      pageCount_(new QLabel(this)),
      zoomText_(new QLabel(this)),
      layoutTimer_(new QTimer(this))
{
    setObjectName("reportPreviewWindow");
    setWindowTitle(tr("Print Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 860);

    auto* bar = new QHBoxLayout;
    QToolButton* first =
        button(this, "firstPageButton", tr("|<"), tr("First page"), QKeySequence(Qt::CTRL | Qt::Key_Home));
    QToolButton* previous =
        button(this, "previousPageButton", tr("<"), tr("Previous page"), QKeySequence::MoveToPreviousPage);
    QToolButton* next = button(this, "nextPageButton", tr(">"), tr("Next page"), QKeySequence::MoveToNextPage);
    QToolButton* last =
        button(this, "lastPageButton", tr(">|"), tr("Last page"), QKeySequence(Qt::CTRL | Qt::Key_End));
    QToolButton* zoomOut = button(this, "zoomOutButton", tr("-"), tr("Zoom out"), QKeySequence::ZoomOut);
    QToolButton* zoomIn = button(this, "zoomInButton", tr("+"), tr("Zoom in"), QKeySequence::ZoomIn);
    QToolButton* print = button(this, "printButton", tr("Print..."));
    QToolButton* pdf = button(this, "savePdfButton", tr("Save as PDF..."));
    QToolButton* close = button(this, "closePreviewButton", tr("Close"));
    pageBox_->setObjectName("pageNumberBox");
    pageBox_->setRange(1, 1);
    pageCount_->setObjectName("pageCountText");
    zoomText_->setObjectName("zoomText");
    for (QWidget* widget : std::initializer_list<QWidget*>{first, previous, pageBox_, pageCount_, next, last})
        bar->addWidget(widget);
    bar->addSpacing(16);
    for (QWidget* widget : std::initializer_list<QWidget*>{zoomOut, zoomText_, zoomIn})
        bar->addWidget(widget);
    bar->addStretch();
    for (QWidget* widget : std::initializer_list<QWidget*>{print, pdf, close})
        bar->addWidget(widget);

    pageImage_->setObjectName("pageImage");
    scroll_->setObjectName("pageScroll");
    scroll_->setWidget(pageImage_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_);

    connect(first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(previous, &QToolButton::clicked, this, [this] { showPage(page_ == 0 ? 0 : page_ - 1); });
    connect(next, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last, &QToolButton::clicked, this, [this] {
        runStep(tr("Paging the report..."), [this](common::Progress& progress) {
            print::PageLayout& pages = document_.pages();
            while (!pages.complete() && !progress.cancelRequested())
                pages.hasPage(pages.pagesLaidOut() + kPagesPerIdleStep);
        });
        showPage(document_.pages().pagesLaidOut() - 1);
    });
    connect(pageBox_, &QSpinBox::editingFinished, this,
            [this] { showPage(static_cast<std::size_t>(pageBox_->value() - 1)); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { zoomBy(1 / kZoomStep); });
    connect(zoomIn, &QToolButton::clicked, this, [this] { zoomBy(kZoomStep); });
    connect(print, &QToolButton::clicked, this, &ReportPreviewWindow::print);
    connect(pdf, &QToolButton::clicked, this, &ReportPreviewWindow::chooseAndSavePdf);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    connect(layoutTimer_, &QTimer::timeout, this, &ReportPreviewWindow::layOutMore);

    document_.pages().hasPage(0);
    render();
    updatePageCount();
    if (!document_.pages().complete())
        layoutTimer_->start(0);
}

void ReportPreviewWindow::showPage(std::size_t index)
{
    if (stepRunning_)
        return;
    try {
        if (document_.pages().hasPage(index))
            page_ = index;
    } catch (const xbase::XbaseError& e) {
        prompter_.error(e.what());
    }
    render();
    updatePageCount();
}

void ReportPreviewWindow::zoomBy(double factor)
{
    if (stepRunning_)
        return;
    zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
    render();
}

void ReportPreviewWindow::layOutMore()
{
    print::PageLayout& pages = document_.pages();
    try {
        pages.hasPage(pages.pagesLaidOut() + kPagesPerIdleStep);
    } catch (const xbase::XbaseError& e) {
        layoutTimer_->stop();
        prompter_.error(e.what());
        return;
    }
    if (pages.complete())
        layoutTimer_->stop();
    updatePageCount();
}

void ReportPreviewWindow::render()
{
    print::PageLayout& pages = document_.pages();
    const double dotsPerMm = logicalDpiX() / 25.4 * zoom_;
    const double ratio = devicePixelRatioF();
    QImage image(static_cast<int>(std::lround(print::kPaperWidth / double(print::kUnitsPerMm) * dotsPerMm * ratio)),
                 static_cast<int>(std::lround(print::kPaperHeight / double(print::kUnitsPerMm) * dotsPerMm * ratio)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    if (pages.hasPage(page_)) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        pages.draw(painter, page_);
    }
    image.setDevicePixelRatio(ratio);
    pageImage_->setPixmap(QPixmap::fromImage(image));
    pageImage_->adjustSize();
    scroll_->verticalScrollBar()->setValue(0);
    zoomText_->setText(QStringLiteral("%1%").arg(std::lround(zoom_ * 100)));
}

void ReportPreviewWindow::updatePageCount()
{
    const print::PageLayout& pages = document_.pages();
    const int known = static_cast<int>(std::max<std::size_t>(pages.pagesLaidOut(), 1));
    pageBox_->setRange(1, known);
    pageBox_->setValue(static_cast<int>(page_) + 1);
    pageCount_->setText(pages.complete() ? tr("of %1").arg(pages.pagesLaidOut()) : tr("of %1+").arg(known));
}

void ReportPreviewWindow::runStep(const QString& label, const std::function<void(common::Progress&)>& step)
{
    const bool paging = layoutTimer_->isActive();
    layoutTimer_->stop();
    stepRunning_ = true;
    std::string failure;
    try {
        const auto run = [&] { common::ui::runWithProgress(this, label, common::ui::Stopping::Allowed, step); };
        if (wrapStep_)
            wrapStep_(run);
        else
            run();
    } catch (const xbase::XbaseError& e) {
        failure = e.what();
    }
    stepRunning_ = false;
    if (!failure.empty())
        prompter_.error(failure);
    if (paging && !document_.pages().complete())
        layoutTimer_->start(0);
    updatePageCount();
}

void ReportPreviewWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QDir::setCurrent(QString::fromStdString(programDir_));
    if (!accepted)
        return;
    std::size_t first = 0;
    std::size_t last = static_cast<std::size_t>(-1);
    if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = page_;
    } else if (printer.printRange() == QPrinter::PageRange) {
        first = static_cast<std::size_t>(std::max(printer.fromPage(), 1) - 1);
        last = static_cast<std::size_t>(std::max(printer.toPage(), 1) - 1);
    }
    runStep(tr("Printing..."), [&](common::Progress& progress) {
        const std::size_t pageCount = document_.pages().pageCount();
        if (pageCount == 0)
            return;
        QPainter painter;
        if (!painter.begin(&printer))
            throw xbase::XbaseError("Cannot start printing");
        if (!document_.drawPages(painter, printer, first, std::min(last, pageCount - 1), progress))
            printer.abort();
    });
}

void ReportPreviewWindow::chooseAndSavePdf()
{
    // The dialog adds the suffix itself, so its overwrite question is about
    // the file that will be written.
    QFileDialog dialog(this, tr("Save as PDF"), QDir(QString::fromStdString(programDir_)).filePath("Vinora.pdf"),
                       tr("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(QString::fromStdString(programDir_));
    if (!accepted)
        return;
    const QString path = dialog.selectedFiles().constFirst();
    saveAsPdf(path.toStdString());
}

void ReportPreviewWindow::saveAsPdf(const std::string& path)
{
    runStep(tr("Saving as PDF..."), [&](common::Progress& progress) { document_.writePdf(path, progress); });
}

}  // namespace reports::ui
