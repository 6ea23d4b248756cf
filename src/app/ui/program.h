#pragma once

#include <functional>
#include <memory>

#include "app/single_instance.h"
#include "app/ui/main_window.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/ui/message_box_prompter.h"
#include "editing/ui/album_cover_display.h"
#include "editing/ui/album_edit_dialog.h"
#include "editing/ui/album_edit_form.h"
#include "editing/ui/notes_tools.h"
#include "lookup/add_cd_flow.h"
#include "lookup/cd_drive_commands.h"
#include "lookup/cddb_category_source.h"
#include "lookup/cddb_exchange_runner.h"
#include "lookup/musicbrainz_exchange_runner.h"
#include "lookup/musicbrainz_lookup.h"
#include "lookup/freedb_submission.h"
#include "lookup/ui/exchange_wait_dialog.h"
#include "maintenance/ui/maintenance_commands.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/desktop/qt_desktop_launcher.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/curl_mail_sender.h"
#include "platform/net/tcp_line_connector.h"
#include "playback/ui/play_commands.h"
#include "playback/web_shortcuts.h"
#include "search/ui/filter_commands.h"
#include "search/ui/multiple_matches_dialog.h"

namespace app::ui {

// The composition root: the program directory, the single-instance rule and
// the long-lived objects in their order (main window, then the data
// module). Requires: a QApplication exists.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Enters the program directory; when another start of the program runs
    // there, asks it to come to the front and returns false. Otherwise
    // makes the objects, shows the main window and returns true (the
    // start-up sequence follows once the window is shown). Throws
    // xbase::XbaseError when the directory or the local socket fail.
    bool start();
    // Ends the run as closing the main window does, when the window is
    // still open (the event loop was ended by a signal).
    void close();
    // An exception that reached the event loop: the main window offers to
    // rebuild the indexes; before it exists the message goes to the
    // standard error.
    void reportFault(const std::string& message);

    MainWindow* mainWindow() const { return mainWindow_.get(); }

private:
    void startCddb();
    void startAddCd();
    // The match chosen in the multiple-matches window, nothing for none.
    std::optional<std::size_t> chooseMatch(const std::vector<std::string>& matches,
                                           search::ui::MultipleMatchesDialog::Candidates candidates);
    void registerWindows();
    void registerCollectionFeatures();
    void registerPlaybackAndWebFeatures();
    void openOptions();
    // A web address or document through the desktop; a failure is reported.
    void openAddress(const std::string& address);
    void withGridsDetached(const std::function<void()>& step);
    bool showWebImport();

    common::ProgramState state_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<common::ui::MessageBoxPrompter> prompter_;
    std::unique_ptr<MainWindow> mainWindow_;
    search::ui::MultipleMatchesDialog* multipleMatches_ = nullptr;  // a child of the main window
    editing::ui::AlbumEditDialog* albumEditDialog_ = nullptr;  // a child of the main window
    std::unique_ptr<editing::ui::AlbumEditForm> albumForm_;
    std::unique_ptr<editing::ui::NotesTools> notesTools_;
    std::unique_ptr<editing::ui::AlbumCoverDisplay> albumCover_;
    std::unique_ptr<catalogue::Catalogue> catalogue_;
    platform::LibcdioAccess cdio_;
    platform::QtDesktopLauncher desktop_;
    std::unique_ptr<lookup::CdDriveCommands> cdDrive_;
    std::unique_ptr<maintenance::ui::MaintenanceCommands> maintenance_;
    std::unique_ptr<playback::ui::PlayCommands> play_;
    std::unique_ptr<playback::WebShortcuts> webShortcuts_;
    platform::TcpLineConnector tcp_;
    platform::CurlHttpGetter http_;
    std::unique_ptr<lookup::CddbExchangeRunner> cddb_;
    std::unique_ptr<lookup::CddbCategorySource> categories_;
    platform::CurlMailSender mail_;
    std::unique_ptr<lookup::FreedbSubmission> submission_;
    lookup::ui::ExchangeWaitDialog* exchangeWait_ = nullptr;  // a child of the main window
    std::unique_ptr<lookup::MusicBrainzExchangeRunner> musicBrainzRunner_;
    std::unique_ptr<lookup::MusicBrainzLookup> musicBrainz_;
    std::unique_ptr<lookup::AddCdFlow> addCd_;
    std::unique_ptr<search::ui::FilterCommands> filters_;
};

}  // namespace app::ui
