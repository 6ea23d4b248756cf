#pragma once

#include <memory>
#include <string_view>

#include <QDialog>

#include "reports/selection_settings.h"
#include "reports/ui/report_writer_outputs.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QStatusBar;

namespace search::ui {
class HistoryBox;
}

namespace reports::ui {

// " Vinora - Report Writer [Review/Printout/Publish/Export  Collection]":
// the report title, the order, whether tracks and playlist marks come too,
// the albums and tracks filters with their histories (shared with the
// filter window), and the buttons of the four outputs. The histories are
// saved when the window closes.
class ReportWriterDialog : public QDialog {
    Q_OBJECT
public:
    // Starts in the order of the main window's albums tag `albumsTag`.
    // Throws xbase::XbaseError when a history file cannot be read.
    ReportWriterDialog(ReportWriterOutputs::Services services, std::string_view albumsTag, QWidget* parent = nullptr);
    ~ReportWriterDialog() override;

    // Shows the window until the user closes it; a failure to open it is
    // shown in the error box.
    static void showModal(ReportWriterOutputs::Services services, std::string_view albumsTag, QWidget* parent);

    void done(int result) override;

private:
    void buildWindow();
    QWidget* buildSelectionGroup();
    QWidget* buildExamplesGroup();
    SelectionSettings settings() const;
    // Runs one output; the drop-downs show the histories it may have grown.
    void produce(const std::function<void(const SelectionSettings&)>& output);

    common::Prompter& prompter_;
    QLineEdit* titleEdit_;
    std::vector<std::pair<QRadioButton*, SortOrder>> orderButtons_;
    QCheckBox* includeTracks_;
    QCheckBox* includePlaylists_;
    search::ui::HistoryBox* albumsFilter_;
    search::ui::HistoryBox* tracksFilter_;
    QStatusBar* statusBar_;
    std::unique_ptr<ReportWriterOutputs> outputs_;
};

}  // namespace reports::ui
