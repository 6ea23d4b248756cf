#include "app/ui/program.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QScopeGuard>

#include "app/page_locator.h"
#include "app/program_directory.h"
#include "app/startup_sequence.h"
#include "app/tips_file.h"
#include "app/ui/tip_of_the_day_dialog.h"
#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "common/product_version.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/themed_icon.h"
#include "editing/album_detail_submission.h"
#include "editing/options_editor.h"
#include "editing/ui/album_detail_dialog.h"
#include "editing/ui/options_dialog.h"
#include "editing/ui/title_tools.h"
#include "lookup/add_other_album.h"
#include "lookup/ui/web_import_dialog.h"
#include "lookup/web_import.h"
#include "playback/ui/mark_tracks.h"
#include "playback/ui/tracks_view_window.h"
#include "reports/ui/report_writer_dialog.h"

namespace app::ui {

Program::Program() = default;

// The exchange under way ends before the windows it reports to; the grids
// let go of the views before the catalogue closes them.
Program::~Program()
{
    addCd_.reset();
    musicBrainz_.reset();
    musicBrainzRunner_.reset();
    submission_.reset();
    categories_.reset();
    cddb_.reset();
    filters_.reset();
    albumForm_.reset();
    play_.reset();  // it finds discs through the drive commands
    cdDrive_.reset();
    if (mainWindow_)
        mainWindow_->setCatalogue(nullptr);
    catalogue_.reset();
    mainWindow_.reset();
}

bool Program::start()
{
    const QString title =
        QString::fromLatin1(common::kAppTitle.data(), static_cast<qsizetype>(common::kAppTitle.size()));
    QApplication::setApplicationName(title);
    QApplication::setApplicationVersion(
        QString::fromLatin1(common::productVersion().data(), static_cast<qsizetype>(common::productVersion().size())));
    const std::string executableDir = QCoreApplication::applicationDirPath().toStdString();
    const DirectoryInputs directoryInputs = currentDirectoryInputs(executableDir);
    state_.programDir = chooseProgramDirectory(directoryInputs);
    state_.dataDir = shippedDataDirectory(executableDir);
    enterProgramDirectory(state_.programDir);

    instance_ = std::make_unique<SingleInstance>(
        SingleInstance::serverName(title, SingleInstance::currentUser(), state_.programDir));
    if (instance_->raiseRunningInstance())
        return false;

    common::ui::lookInAdwaitaWithoutDesktopTheme();
    prompter_ = std::make_unique<common::ui::MessageBoxPrompter>(state_.programDir);
    mainWindow_ = std::make_unique<MainWindow>(state_, *prompter_);
    mainWindow_->setDesktop(desktop_);
    multipleMatches_ = new search::ui::MultipleMatchesDialog(*mainWindow_);
    catalogue_ = std::make_unique<catalogue::Catalogue>(state_.programDir);
    mainWindow_->setCatalogue(catalogue_.get());
    albumEditDialog_ = new editing::ui::AlbumEditDialog(state_, *prompter_, mainWindow_.get());
    albumEditDialog_->setCatalogue(catalogue_.get());
    albumEditDialog_->setPageOpener([this](std::string_view page) { mainWindow_->openPage(page); });
    albumForm_ = std::make_unique<editing::ui::AlbumEditForm>(*albumEditDialog_, state_);
    new editing::ui::TitleTools(*albumEditDialog_, state_, *prompter_);  // owned by the edit form
    const auto openPage = [this](std::string_view page) { mainWindow_->openPage(page); };
    notesTools_ = std::make_unique<editing::ui::NotesTools>(
        *albumEditDialog_, state_, *prompter_, desktop_, openPage,
        [this](std::string& notes, const std::string& album) {
            return musicBrainz_ && musicBrainz_->addFrontCover(notes, album);
        });
    albumCover_ =
        std::make_unique<editing::ui::AlbumCoverDisplay>(state_.settings, *prompter_, desktop_, mainWindow_.get());
    cdDrive_ = std::make_unique<lookup::CdDriveCommands>(cdio_, state_, *prompter_, *catalogue_);
    mainWindow_->useCdDrive(*cdDrive_);
    maintenance_ = std::make_unique<maintenance::ui::MaintenanceCommands>(
        *catalogue_, *prompter_, mainWindow_.get(),
        [this](const std::function<void()>& step) { withGridsDetached(step); });
    play_ = std::make_unique<playback::ui::PlayCommands>(
        *catalogue_, state_, *prompter_, *cdDrive_, desktop_,
        [this](const std::string& notes) { albumCover_->show(notes, false); });
    startCddb();
    startAddCd();
    auto showStatus = [this](const std::string& text) { mainWindow_->setStatusText(text); };
    filters_ = std::make_unique<search::ui::FilterCommands>(*mainWindow_, *catalogue_, *prompter_, state_, showStatus);
    mainWindow_->useFilters(*filters_);
    registerWindows();
    registerCollectionFeatures();
    registerPlaybackAndWebFeatures();
    QObject::connect(instance_.get(), &SingleInstance::raiseRequested, mainWindow_.get(),
                     &MainWindow::raiseFromOtherStart);
    // Where the collection lives, told once it is open.
    if (std::string notice = portableCollectionNotice(directoryInputs); !notice.empty())
        QObject::connect(
            mainWindow_.get(), &MainWindow::startupFinished, mainWindow_.get(),
            [this, notice = std::move(notice)] { prompter_->info(notice); }, Qt::SingleShotConnection);
    mainWindow_->placeOnScreen();
    mainWindow_->show();
    return true;
}

void Program::close()
{
    if (mainWindow_ && mainWindow_->isVisible())
        mainWindow_->close();
}

void Program::reportFault(const std::string& message)
{
    if (mainWindow_)
        mainWindow_->reportEngineFault(common::fromMessage(message));
    else
        qCritical("%s", message.c_str());
}

// The exchanges follow the settings of the moment: the options window
// changes them while the program runs.
void Program::startCddb()
{
    const std::string version(common::productVersion());
    cddb_ = std::make_unique<lookup::CddbExchangeRunner>(lookup::cddbServerFromSettings(state_.settings),
                                                         lookup::CddbHello(state_.settings.mail, version), tcp_, http_);
    cddb_->followSettings(state_.settings, version);
    QObject::connect(cddb_.get(), &lookup::CddbExchangeRunner::statusChanged, mainWindow_.get(),
                     [this](const std::string& text) { mainWindow_->setStatusText(text); });
    cddb_->setChooser([this](const std::vector<std::string>& matches) {
        return chooseMatch(matches, search::ui::MultipleMatchesDialog::Candidates::CddbMatches);
    });
    categories_ = std::make_unique<lookup::CddbCategorySource>(*cddb_);
    mainWindow_->setCategorySource(categories_.get());
}

std::optional<std::size_t> Program::chooseMatch(const std::vector<std::string>& matches,
                                                search::ui::MultipleMatchesDialog::Candidates candidates)
{
    const int chosen = multipleMatches_->choose(matches, candidates);
    if (chosen == search::ui::MultipleMatchesDialog::kNoChoice)
        return std::nullopt;
    return static_cast<std::size_t>(chosen);
}

// The exchanges of adding a CD report to the status bar and to the window
// that waits for them.
void Program::startAddCd()
{
    submission_ = std::make_unique<lookup::FreedbSubmission>(*catalogue_, state_, *prompter_, mail_);
    exchangeWait_ = new lookup::ui::ExchangeWaitDialog(mainWindow_.get());
    QObject::connect(cddb_.get(), &lookup::CddbExchangeRunner::statusChanged, exchangeWait_,
                     &lookup::ui::ExchangeWaitDialog::showStatus);
    QObject::connect(submission_.get(), &lookup::FreedbSubmission::statusChanged, exchangeWait_,
                     [this](const std::string& text) {
                         mainWindow_->setStatusText(text);
                         exchangeWait_->showStatus(text);
                     });
    musicBrainzRunner_ = std::make_unique<lookup::MusicBrainzExchangeRunner>(
        lookup::musicBrainzServiceFromSettings(state_.settings), http_);
    musicBrainz_ = std::make_unique<lookup::MusicBrainzLookup>(
        *musicBrainzRunner_, *exchangeWait_, *prompter_, state_.settings,
        catalogue::joinPath(state_.programDir, "covers"),
        [this](const std::vector<std::string>& matches) {
            return chooseMatch(matches, search::ui::MultipleMatchesDialog::Candidates::MusicBrainzReleases);
        },
        [this](const std::string& text) {
            mainWindow_->setStatusText(text);
            exchangeWait_->showStatus(text);
        });
    addCd_ = std::make_unique<lookup::AddCdFlow>(
        state_, *prompter_, *catalogue_,
        lookup::AddCdParts{cdio_, *cddb_, *musicBrainz_, *submission_, *albumForm_, *exchangeWait_,
                           [this](const std::string& text) { mainWindow_->setStatusText(text); }});
}

// The grids must not read the tables while a step works on them.
void Program::withGridsDetached(const std::function<void()>& step)
{
    mainWindow_->setCatalogue(nullptr);
    const auto back = qScopeGuard([this] {
        mainWindow_->setCatalogue(catalogue_.get());
        mainWindow_->catalogueOpened(false);
        mainWindow_->refreshGrids();  // the buttons follow the collection again
    });
    step();
}

void Program::openOptions()
{
    settings::SettingsFile file({state_.programDir, [this] { return cdDrive_->firstCdDrive(); }});
    editing::OptionsEditor editor(file, state_.settings);
    editing::ui::OptionsServices services;
    services.listDrives = [this] { return cdDrive_->listDrives(); };
    services.firstCdDrive = [this] { return cdDrive_->firstCdDrive(); };
    services.pickProgram = [this](const std::string& start) -> std::optional<std::string> {
        const QString file = QFileDialog::getOpenFileName(mainWindow_.get(), "Find On Drive", common::fromAnsi(start));
        QDir::setCurrent(QString::fromStdString(state_.programDir));
        return file.isEmpty() ? std::nullopt : std::optional(common::toAnsi(file));
    };
    services.pickDiscImage = [this](const std::string& start) -> std::optional<std::string> {
        const QString file = QFileDialog::getOpenFileName(mainWindow_.get(), "Disc Image", common::fromAnsi(start),
                                                          "Disc images (*.cue *.toc *.nrg);;All files (*)");
        QDir::setCurrent(QString::fromStdString(state_.programDir));
        return file.isEmpty() ? std::nullopt : std::optional(common::toAnsi(file));
    };
    services.openPage = [this](const std::string& address) { openAddress(address); };
    editing::ui::OptionsDialog dialog(editor, *cddb_, *prompter_, std::move(services), mainWindow_.get());
    QObject::connect(&dialog, &editing::ui::OptionsDialog::optionsApplied, mainWindow_.get(), [this] {
        mainWindow_->setCaption(std::string(kCaptionPrefix) + state_.settings.name);
        mainWindow_->applyHints(state_.settings.hint);
    });
    dialog.exec();
}

void Program::openAddress(const std::string& address)
{
    if (!desktop_.openAddress(common::fromAnsi(address)))
        prompter_->error("Could not open \"" + address + "\":\rthe desktop has no application that opens it.");
}

// Over the window that asked for it: the main window, or the edit form
// whose track titles it updates.
bool Program::showWebImport()
{
    lookup::WebImport import(*albumForm_, *prompter_, *catalogue_, state_, musicBrainz_.get());
    lookup::ui::WebImportDialog::Services services;
    services.openAddress = [this](const std::string& address) { openAddress(address); };
    services.openPage = [this](const std::string& page) { mainWindow_->openPage(page); };
    QWidget* over = QApplication::activeModalWidget();
    lookup::ui::WebImportDialog dialog(import, *prompter_, std::move(services), over ? over : mainWindow_.get());
    return dialog.exec() == QDialog::Accepted;
}

void Program::registerWindows()
{
    prompter_->registerWindow(common::Prompter::Window::TipOfTheDay, [this] {
        auto tips = TipsFile::load(catalogue::joinPath(state_.programDir, TipsFile::kFileName));
        if (!tips)
            return false;
        TipOfTheDayDialog dialog(std::move(*tips), *prompter_, mainWindow_.get());
        return dialog.exec() == QDialog::Accepted;
    });
    // Flows that need settings read them from the file once it closes.
    prompter_->registerWindow(common::Prompter::Window::Options, [this] {
        openOptions();
        return true;
    });
    prompter_->registerWindow(common::Prompter::Window::WebImport, [this] { return showWebImport(); });
}

void Program::registerCollectionFeatures()
{
    mainWindow_->setFeature(Feature::AddCd, [this] {
        addCd_->run();
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setFeature(Feature::AddOther, [this] {
        lookup::addOtherAlbum(*albumForm_, *prompter_);
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setFeature(Feature::Options, [this] { openOptions(); });
    mainWindow_->setFeature(Feature::Reindex, [this] {
        maintenance_->reindex();
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setFeature(Feature::Delete, [this] {
        maintenance_->deleteAlbum();
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setFeature(Feature::Modify, [this] {
        notesTools_->resetTrackPreselection();
        albumEditDialog_->modifyCurrentAlbum();
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setFeature(Feature::AlbumCover, [this] {
        const xbase::Cursor& album = catalogue_->albums().cursor();
        albumCover_->show(album.eof() ? std::string() : album.memo("Notes"), true);
    });
    mainWindow_->setFeature(Feature::Playlist, [this] {
        playback::ui::markTracks(*catalogue_, *prompter_, mainWindow_.get(), mainWindow_->tracksGrid(),
                                 [this](std::string_view page) { mainWindow_->openPage(page); });
        mainWindow_->focusAlbumsGrid();
    });
    mainWindow_->setDetailView([this] {
        editing::AlbumDetailSubmission submission(*catalogue_, state_, *prompter_, *cdDrive_, *submission_,
                                                  *exchangeWait_);
        const auto openPage = [this](std::string_view page) { mainWindow_->openPage(page); };
        return editing::ui::AlbumDetailDialog::showForCurrentAlbum(
                   *catalogue_, {state_, *prompter_, submission, desktop_, openPage}, mainWindow_.get())
                   ? MainWindow::DetailViewRequest::ReportWriter
                   : MainWindow::DetailViewRequest::None;
    });
    mainWindow_->setFeature(Feature::ReportWriter, [this] {
        reports::ui::ReportWriterDialog::showModal(
            {state_.programDir, *prompter_, desktop_, [this](std::string_view page) { mainWindow_->openPage(page); },
             [this](const std::function<void()>& step) { withGridsDetached(step); }},
            catalogue_->albums().order(), mainWindow_.get());
    });
}

void Program::registerPlaybackAndWebFeatures()
{
    mainWindow_->setFeature(Feature::TracksView, [this] {
        playback::ui::TracksViewWindow::showModal(
            *catalogue_, *prompter_,
            {[this](const std::string& id) { mainWindow_->goToAlbum(id); },
             [this](std::string_view page) { mainWindow_->openPage(page); },
             [this](const std::string& text) { mainWindow_->setStatusText(text); },
             [this](const std::function<void()>& step) { withGridsDetached(step); }},
            mainWindow_.get());
    });
    webShortcuts_ = std::make_unique<playback::WebShortcuts>(
        *catalogue_, *prompter_, desktop_,
        playback::WebShortcutPages{std::string(kProductWebSite), "support@vinora.example.org",
                                   "https://www.amazon.com/exec/obidos/redirect?tag=vinora-20&path="});
    mainWindow_->setFeature(Feature::WebPage, [this] { webShortcuts_->openAlbumPage(); });
    mainWindow_->setFeature(Feature::HomePage, [this] { webShortcuts_->openHomePage(); });
    mainWindow_->setFeature(Feature::TellFriend, [this] { webShortcuts_->tellFriend(); });
    mainWindow_->setFeature(Feature::ReportBug, [this] { webShortcuts_->reportBug(); });
    QStringList storeLists;
    for (const playback::StoreList& list : playback::kStoreLists)
        storeLists << common::fromAnsi(list.caption);
    mainWindow_->setStoreLists(storeLists,
                               [this](int item) { webShortcuts_->openStoreList(static_cast<std::size_t>(item)); });
    mainWindow_->setFeature(Feature::Play, [this] { play_->play(); });
    mainWindow_->setFeature(Feature::PlayFromTrack, [this] { play_->playFromTrack(); });
}

}  // namespace app::ui
