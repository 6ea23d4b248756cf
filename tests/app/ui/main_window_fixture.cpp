#include "main_window_fixture.h"

#include <fstream>

#include <QAbstractButton>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "settings/settings_file.h"
#include "support/fixture_files.h"

namespace test_support {

MainWindowFixture::MainWindowFixture()
{
    state.programDir = dir.path() + "/";
    state.dataDir = std::string(VINORA_DATA_DIR) + "/";
}

MainWindowFixture::~MainWindowFixture()
{
    if (mainWindow) {
        mainWindow->setCatalogue(nullptr);
        mainWindow->hide();
    }
    catalogue.reset();
    mainWindow.reset();
}

void MainWindowFixture::useCollection(const std::string& set)
{
    copyFixtureSet(set, dir.path());
    settings::SettingsFile({state.programDir, [] { return std::string(); }}).createIfMissing();
    std::ofstream(dir.file("Vinoratips.txt"), std::ios::binary) << "False\r\nA tip\r\n";
}

void MainWindowFixture::create()
{
    mainWindow = std::make_unique<app::ui::MainWindow>(state, prompter);
    catalogue = std::make_unique<catalogue::Catalogue>(state.programDir);
    mainWindow->setCatalogue(catalogue.get());
}

void MainWindowFixture::start()
{
    if (!mainWindow)
        create();
    QSignalSpy finished(mainWindow.get(), &app::ui::MainWindow::startupFinished);
    mainWindow->show();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(20000)) << "the start-up sequence did not run";
    ASSERT_TRUE(state.started);
}

QString MainWindowFixture::cell(const QAbstractItemModel* model, int row, int column) const
{
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

QString MainWindowFixture::currentArtist() const
{
    return cell(albums(), albumsGrid()->currentIndex().row(), 0);
}

void MainWindowFixture::clickTitle(int column)
{
    QHeaderView* header = albumsGrid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void MainWindowFixture::clickRow(common::ui::CursorGrid* grid, int row)
{
    const QModelIndex target = grid->model()->index(row, 0);
    grid->scrollTo(target);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(target).center());
}

void MainWindowFixture::clickButton(const char* name)
{
    QAbstractButton* button = child<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    button->click();
}

std::string MainWindowFixture::settingsText() const { return readFile(dir.file("Vinora.ini")); }

}  // namespace test_support
