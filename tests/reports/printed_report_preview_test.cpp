#include <filesystem>
#include <functional>

#include <QLabel>
#include <QToolButton>

#include "reports/report_fixture.h"
#include "reports/ui/printed_report.h"
#include "reports/ui/report_preview_window.h"
#include "support/modal_dialog.h"
#include "support/scripted_prompter.h"

namespace reports_test {
namespace {

using test_support::ScriptedPrompter;

// The preview opens on page 1, pages on, and a PDF that cannot be written
// is told to the user and leaves nothing behind; the main window's grids
// let go of the tables while a PDF is written.
TEST_F(ReportFixture, PreviewPagesAndTellsAFailedPdf)
{
    SelectionSettings settings;
    settings.albumsFilter = kFourAlbums;
    settings.includeTracks = true;
    select(settings);
    ScriptedPrompter prompter;
    const std::string unwritable = file("missing/report.pdf");
    test_support::whenModalShown([&](QWidget* modal) {
        auto* preview = qobject_cast<reports::ui::ReportPreviewWindow*>(modal);
        if (!preview) {
            ADD_FAILURE() << "no preview";
            modal->close();
            return;
        }
        EXPECT_FALSE(preview->findChild<QLabel*>("pageImage")->pixmap().isNull());
        preview->findChild<QToolButton*>("nextPageButton")->click();
        EXPECT_EQ(preview->currentPage(), 1u);
        preview->findChild<QToolButton*>("firstPageButton")->click();
        EXPECT_EQ(preview->currentPage(), 0u);
        preview->saveAsPdf(unwritable);
        preview->saveAsPdf(file("report.pdf"));
        preview->accept();
    });
    int detached = 0;
    reports::ui::showPrintedReport(nullptr, selection_, {"ARTIST", "ALBUM"}, prompter, dir_.path(),
                                   [&](const std::function<void()>& step) {
                                       ++detached;
                                       step();
                                   });

    const std::vector<std::string> errors = prompter.texts(ScriptedPrompter::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].starts_with("Cannot create file " + unwritable)) << errors[0];
    EXPECT_FALSE(std::filesystem::exists(file("missing")));
    EXPECT_GT(std::filesystem::file_size(file("report.pdf")), 0u);
    EXPECT_EQ(detached, 2) << "the grids let go while each PDF is written";
}

}  // namespace
}  // namespace reports_test
