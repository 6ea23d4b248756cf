#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "common/prompter.h"
#include "lookup/web_import.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lookup::ui {

// The web track-list import window: the site buttons open the album's pages
// in the browser with colour-coded instructions beside them, the bar-code
// fields find the album by its UPC on the web or on MusicBrainz, OK reads what the user copied from the
// page, and "Enter Manually" skips the pages. It gathers the input; the
// WebImport it is given does the reading. Closes with Accepted when an
// album was saved (or, updating titles, the copy was read).
class WebImportDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        // Opens a web address in the user's browser.
        std::function<void(const std::string& address)> openAddress;
        // Opens a help page ("file#anchor").
        std::function<void(const std::string& page)> openPage;
    };

    // `import` and `prompter` (which shows what went wrong) must outlive the
    // window.
    WebImportDialog(WebImport& import, common::Prompter& prompter, Services services, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildSites();
    void buildInstructions();
    void buildButtons();
    void goToSite(WebImport::Site site);
    void searchBarCode();
    void takeMusicBrainzRelease();
    void scannerChanged(const QString& text);
    void readyForNextScan();
    void takeClipboard();
    void enterManually();
    void finish(WebImport::Outcome outcome);
    void leaveForSite(const std::string& address);

    WebImport& import_;
    common::Prompter& prompter_;
    Services services_;
    QLineEdit* scannerEdit_;
    QLineEdit* barCodeEdit_;
    QLabel* status_;
};

}  // namespace lookup::ui
