#pragma once

#include <functional>
#include <string_view>

#include <QDialog>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "editing/album_detail.h"
#include "editing/album_detail_pages.h"
#include "editing/album_detail_submission.h"
#include "platform/desktop_launcher.h"

class QTextEdit;

namespace editing::ui {

// What the detail view works with besides the catalogue; all must outlive
// the window.
struct AlbumDetailServices {
    const common::ProgramState& state;
    common::Prompter& prompter;
    AlbumDetailSubmission& submission;
    platform::DesktopLauncher& desktop;
    // Opens a help page of the program (the media usage window's Help).
    std::function<void(std::string_view page)> openPage;
};

// "Vinora - Detail on current Album [...]": the current album's page, to
// read and copy, and its tools: the submission to the online database, the
// CD-R labeler's track list, the time used on rewritable media, the report
// writer and shop pages for the artist. Made for one opening.
class AlbumDetailDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the page from the current album of catalogue.albums(). Throws
    // xbase::XbaseError when the catalogue cannot be read.
    AlbumDetailDialog(catalogue::Catalogue& catalogue, AlbumDetailServices services, QWidget* parent = nullptr);

    // Whether the window closed asking for the report writer.
    bool reportWriterRequested() const { return reportWriter_; }

    // Shows the window modally over `parent` for the current album; nothing
    // when albums stands on no row. True when it closed asking for the
    // report writer. Throws as the constructor does.
    static bool showForCurrentAlbum(catalogue::Catalogue& catalogue, AlbumDetailServices services, QWidget* parent);

private:
    void build();
    void showPage();
    void submit();
    void makeLabelerList();
    void showMediaUsage();
    void requestReportWriter();
    void openOutsidePage(OutsidePage page);

    catalogue::Catalogue& catalogue_;
    AlbumDetailServices services_;
    AlbumDetail detail_;
    QTextEdit* page_;
    bool reportWriter_ = false;
};

}  // namespace editing::ui
