#include "app/ui/program.h"

#include <QApplication>
#include <QScreen>

#include "app/program_directory.h"
#include "app/tips_file.h"
#include "app/ui/tips_form.h"
#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "common/product_version.h"
#include "playback/ui/playlist_button.h"

namespace app::ui {

Program::Program() = default;

// The grids let go of the views before the catalogue closes them.
Program::~Program()
{
    filters_.reset();
    cdDrive_.reset();
    if (form_)
        form_->setCatalogue(nullptr);
    catalogue_.reset();
    form_.reset();
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

    prompter_ = std::make_unique<common::ui::MessageBoxPrompter>(state_.programDir);
    form_ = std::make_unique<TForm1>(state_, *prompter_);
    matches_ =
        new search::ui::MultipleMatchesDialog(*form_, [form = form_.get()](int choice) { form->setRequest(choice); });
    catalogue_ = std::make_unique<catalogue::Catalogue>(state_.programDir);
    form_->setCatalogue(catalogue_.get());
    editForm_ = new editing::ui::AlbumEditDialog(state_, *prompter_, form_.get());
    editForm_->setCatalogue(catalogue_.get());
    editForm_->setPageOpener([this](std::string_view page) { form_->openPage(page); });
    cdDrive_ = std::make_unique<lookup::CdDriveCommands>(cdio_, state_, *prompter_, *catalogue_);
    form_->useCdDrive(*cdDrive_);
    filters_ = std::make_unique<search::ui::FilterCommands>(
        *form_, *catalogue_, *prompter_, state_, [this](const std::string& text) { form_->setStatusText(text); });
    form_->useFilters(*filters_);
    registerWindows();
    QObject::connect(instance_.get(), &SingleInstance::raiseRequested, form_.get(), &TForm1::raiseFromOtherStart);
    // Where the collection lives, told once it is open.
    if (std::string notice = portableCollectionNotice(directoryInputs); !notice.empty())
        QObject::connect(
            form_.get(), &TForm1::startupFinished, form_.get(),
            [this, notice = std::move(notice)] { prompter_->info(notice); }, Qt::SingleShotConnection);
    // The layout may need more than the design size; centre what will show.
    form_->resize(form_->size().expandedTo(form_->minimumSizeHint()));
    if (const QScreen* screen = form_->screen())
        form_->move(screen->availableGeometry().center() - form_->frameGeometry().center() + form_->pos());
    form_->show();
    return true;
}

void Program::close()
{
    if (form_ && form_->isVisible())
        form_->close();
}

void Program::reportFault(const std::string& message)
{
    if (form_)
        form_->reportEngineFault(common::fromMessage(message));
    else
        qCritical("%s", message.c_str());
}

void Program::registerWindows()
{
    prompter_->registerWindow(common::Prompter::Window::TipOfTheDay, [this] {
        auto tips = TipsFile::load(catalogue::joinPath(state_.programDir, TipsFile::kFileName));
        if (!tips)
            return false;
        TTipForm form(std::move(*tips), *prompter_, form_.get());
        return form.exec() == QDialog::Accepted;
    });
    form_->setFeature(Feature::Modify, [this] {
        editForm_->modifyCurrentAlbum();
        form_->focusAlbumsGrid();
    });
    form_->setFeature(Feature::Playlist, [this] {
        playback::ui::playListButtonClick(*catalogue_, *prompter_, form_.get(),
                                          [this](std::string_view page) { form_->openPage(page); });
    });
}

}  // namespace app::ui
