#include "app/ui/program.h"

#include <unistd.h>

#include <QApplication>
#include <QScreen>

#include "app/product_version.h"
#include "app/program_directory.h"
#include "app/tips_file.h"
#include "app/ui/tips_form.h"
#include "catalogue/program_files.h"
#include "playback/ui/playlist_button.h"

namespace app::ui {
namespace {

QString userName()
{
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QString::number(::getuid()) : user;
}

}  // namespace

Program::Program() = default;

// The grids let go of the views before the data module closes them.
Program::~Program()
{
    filters_.reset();
    cdDrive_.reset();
    if (form_)
        form_->setDataModule(nullptr);
    dm_.reset();
    form_.reset();
}

bool Program::start()
{
    const QString title = QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
    QApplication::setApplicationName(title);
    QApplication::setApplicationVersion(QString::fromLatin1(productVersion().data(),
                                                            static_cast<qsizetype>(productVersion().size())));
    const std::string executableDir = QCoreApplication::applicationDirPath().toStdString();
    state_.programDir = chooseProgramDirectory(currentDirectoryInputs(executableDir));
    state_.dataDir = shippedDataDirectory(executableDir);
    enterProgramDirectory(state_.programDir);

    instance_ = std::make_unique<SingleInstance>(SingleInstance::serverName(title, userName(), state_.programDir));
    if (instance_->raiseRunningInstance())
        return false;

    prompter_ = std::make_unique<MessageBoxPrompter>(state_.programDir);
    form_ = std::make_unique<TForm1>(state_, *prompter_);
    matches_ = new TMatchesForm(*form_);
    dm_ = std::make_unique<catalogue::TDM>(state_.programDir);
    form_->setDataModule(dm_.get());
    editForm_ = new editing::ui::TMngRecF(state_, *prompter_, form_.get());
    editForm_->setDataModule(dm_.get());
    editForm_->setPageOpener([this](std::string_view page) { form_->openPage(page); });
    cdDrive_ = std::make_unique<CdDriveCommands>(cdio_, state_, *prompter_, *form_, *dm_);
    filters_ = std::make_unique<FilterCommands>(*form_, *dm_, *prompter_, state_);
    registerWindows();
    QObject::connect(instance_.get(), &SingleInstance::raiseRequested, form_.get(), &TForm1::raiseFromOtherStart);
    if (const QScreen* screen = form_->screen())
        form_->move(screen->availableGeometry().center() - form_->frameGeometry().center() + form_->pos());
    form_->show();
    return true;
}

void Program::registerWindows()
{
    prompter_->registerWindow(std::string(window::kTipOfTheDay), [this] {
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
        playback::ui::playListButtonClick(*dm_, *prompter_, form_.get(),
                                          [this](std::string_view page) { form_->openPage(page); });
    });
}

}  // namespace app::ui
