#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "common/prompter.h"
#include "editing/options_editor.h"
#include "lookup/cddb_exchange_runner.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace editing::ui {

// What the options window asks of the rest of the program.
struct OptionsServices {
    // The drive descriptions, or nothing when no drive was found.
    std::function<std::optional<std::vector<std::string>>()> listDrives;
    // The first CD drive: CDPath when a drive entry is chosen.
    std::function<std::string()> firstCdDrive;
    // A program file picked by the user, or nothing.
    std::function<std::optional<std::string>(const std::string& start)> pickProgram;
    // A disc image picked by the user, or nothing.
    std::function<std::optional<std::string>(const std::string& start)> pickDiscImage;
    // Opens a web page.
    std::function<void(const std::string& address)> openPage;
};

// "Vinora - Properties and Options Form": the lookup server and protocol,
// which online databases Add CD asks and in which order, the drive, the
// programs the program starts, its purpose text, tooltips and cover art,
// the submission e-mail entries. OK writes what changed and applies it at
// once (optionsApplied); failed checks keep the window open. Made for one
// opening.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // The host list refresh runs on `runner`; all must outlive the window.
    // Throws xbase::XbaseError when the settings file cannot be read.
    OptionsDialog(OptionsEditor& editor, lookup::CddbExchangeRunner& runner, common::Prompter& prompter,
                  OptionsServices services, QWidget* parent = nullptr);

signals:
    // After each OK that wrote: the running settings hold the new values.
    void optionsApplied();

public slots:
    void done(int result) override;
    // Esc stops a host list refresh before it closes the window.
    void reject() override;

private:
    void build();
    void fill(const OptionsValues& values);
    void gather();
    void listDrives();
    void refreshHosts();
    void hostsArrived(const lookup::CddbListResult& result);
    void accepted();
    void track(QLineEdit* edit, Option option);

    OptionsEditor& editor_;
    lookup::CddbExchangeRunner& runner_;
    common::Prompter& prompter_;
    OptionsServices services_;
    OptionsValues values_;

    QComboBox* hostBox_ = nullptr;
    QRadioButton* tcpButton_ = nullptr;
    QRadioButton* httpButton_ = nullptr;
    QCheckBox* tlsCheck_ = nullptr;
    QComboBox* lookupOrderBox_ = nullptr;
    QLabel* driveLabel_ = nullptr;
    QComboBox* driveList_ = nullptr;
    QLineEdit* drivePathEdit_ = nullptr;
    QLineEdit* coversEdit_ = nullptr;
    QLineEdit* viewerEdit_ = nullptr;
    QLineEdit* labelerEdit_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* playerEdit_ = nullptr;
    QCheckBox* tooltipsCheck_ = nullptr;
    QCheckBox* coverArtCheck_ = nullptr;
    QLineEdit* mailEdit_ = nullptr;
    QLineEdit* mailServerEdit_ = nullptr;
    QLabel* statusLine_ = nullptr;
};

}  // namespace editing::ui
