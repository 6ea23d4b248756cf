// The main window's routines and its life: help pages, the tip of the day,
// the detail-view dispatch, going to an album, window state and layout,
// closing, and a later start raising the window.
#include <filesystem>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include "app/column_layout.h"
#include "platform/desktop/qt_desktop_launcher.h"
#include "main_window_fixture.h"
#include "settings/ini_file.h"

namespace {

namespace fs = std::filesystem;
using app::ui::Feature;
using test_support::ScriptedPrompter;

// Takes the addresses the program hands to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : {"file", "https", "http"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : {"file", "https", "http"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

class MainWindowRoutines : public test_support::MainWindowFixture {
protected:
    void setWState(long value)
    {
        settings::IniFile ini = settings::IniFile::load(dir.file("Vinora.ini"));
        ini.writeInteger("Current", "WState", value);
        ini.save(dir.file("Vinora.ini"));
    }
    long wState() const { return settings::IniFile::load(dir.file("Vinora.ini")).readInteger("Current", "WState", 0); }
};

TEST_F(MainWindowRoutines, HelpOpensTheLocalPageFirstThenTheShippedOneThenTheWeb)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    platform::QtDesktopLauncher desktop;
    mainWindow->setDesktop(desktop);
    UrlRecorder recorder;
    clickButton("HelpButton");
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls.back().toLocalFile().toStdString(), std::string(VINORA_DATA_DIR) + "/CDhelp1.html");

    fs::copy_file(std::string(VINORA_DATA_DIR) + "/CDhelp1.html", dir.file("CDhelp1.html"));
    clickButton("HelpButton");
    EXPECT_EQ(recorder.urls.back().toLocalFile().toStdString(), dir.file("CDhelp1.html"));

    mainWindow->openPage("CDhelp2.html#notes");
    EXPECT_EQ(recorder.urls.back().fragment(), "notes");

    state.dataDir.clear();
    mainWindow->openPage("report.html#space");
    EXPECT_EQ(recorder.urls.back().scheme(), "https");
    EXPECT_TRUE(recorder.urls.back().toString().endsWith("report.html#space"));
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Error).empty());
}

// A desktop that starts nothing, as one without a browser.
class DesktopWithoutApplications : public platform::DesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        tried << address;
        return false;
    }
    bool startProgram(const QString&, const QString&) override { return false; }
    QStringList tried;
};

TEST_F(MainWindowRoutines, HelpPageTheDesktopCannotOpenIsReportedWithTheAddressTried)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    DesktopWithoutApplications desktop;
    mainWindow->setDesktop(desktop);
    state.dataDir.clear();
    clickButton("HelpButton");
    ASSERT_EQ(desktop.tried.size(), 1);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{"Could not open the page \"CDhelp1.html\":\rtried " +
                                       desktop.tried.front().toStdString() +
                                       "\rbut the desktop has no application that opens it."});
    EXPECT_TRUE(desktop.tried.front().startsWith("https://"));
}

TEST_F(MainWindowRoutines, TipButtonShowsTheTipWindowOrSaysTheFileIsMissing)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    prompter.answerWindow(true);
    clickButton("TipOfTheDayButton");
    EXPECT_EQ(prompter.windowsShown(), std::vector{ScriptedPrompter::Window::TipOfTheDay});

    fs::remove(dir.file("Vinoratips.txt"));
    clickButton("TipOfTheDayButton");
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Error),
              std::vector<std::string>{"Can't find Tip of the Day File " + dir.file("Vinoratips.txt")});
}

TEST_F(MainWindowRoutines, DetailViewDispatchOpensTheReportWriterOnRequest)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_FALSE(child<QWidget>("DetailViewButton")->isEnabled());
    using Request = app::ui::MainWindow::DetailViewRequest;
    int detail = 0;
    int writer = 0;
    Request request = Request::ReportWriter;
    mainWindow->setDetailView([&] {
        ++detail;
        return request;
    });
    mainWindow->setFeature(Feature::ReportWriter, [&] { ++writer; });
    EXPECT_TRUE(child<QWidget>("DetailViewButton")->isEnabled());
    clickButton("DetailViewButton");
    EXPECT_EQ(detail, 1);
    EXPECT_EQ(writer, 1);

    request = Request::None;
    const QModelIndex row = albums()->index(3, 0);
    const QPoint at = albumsGrid()->visualRect(row).center();
    // A double click on a widget arrives after the press of its first click.
    QTest::mouseClick(albumsGrid()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(albumsGrid()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(detail, 2);
    EXPECT_EQ(writer, 1);
}

TEST_F(MainWindowRoutines, GoToAlbumKeepsTheOrderAndClosesTheCallingWindow)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    clickTitle(1);
    QDialog results(mainWindow.get());
    results.setModal(true);
    results.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&results));
    EXPECT_TRUE(mainWindow->goToAlbum("e1f2a3b4"));
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(albumCursor().order(), "ALBUM");
    EXPECT_EQ(cell(albums(), albumsGrid()->currentIndex().row(), 1), "Non, je ne regrette rien");

    EXPECT_FALSE(mainWindow->goToAlbum("00000000"));
    EXPECT_EQ(cell(albums(), albumsGrid()->currentIndex().row(), 1), "Non, je ne regrette rien");
}

TEST_F(MainWindowRoutines, WStateFiveOpensMaximizedAndClosingWritesTwo)
{
    useSmallCollection();
    setWState(5);
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_TRUE(mainWindow->windowState() & Qt::WindowMaximized);
    QTest::qWait(50);
    mainWindow->close();
    EXPECT_EQ(wState(), 2);
}

TEST_F(MainWindowRoutines, ClosingANormalWindowWritesOne)
{
    useSmallCollection();
    setWState(2);
    ASSERT_NO_FATAL_FAILURE(start());
    mainWindow->setMaximized(false);
    QTest::qWait(50);
    ASSERT_LE(mainWindow->maximizedLayouts(), 2);
    mainWindow->close();
    EXPECT_EQ(wState(), 1);
}

TEST_F(MainWindowRoutines, MaximizedLayoutWidensTheFirstColumnsAndShowsTheShortcuts)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(albumsGrid()->columnWidth(0), 265);
    EXPECT_EQ(albumsGrid()->columnWidth(1), 265) << "the second column takes the first one's width";
    EXPECT_FALSE(child<QWidget>("TellFriendLink")->isVisible());

    mainWindow->setMaximized(true);
    QTest::qWait(100);
    ASSERT_GT(mainWindow->maximizedLayouts(), 0);
    const int client = albumsGrid()->viewport()->width();
    EXPECT_EQ(albumsGrid()->columnWidth(0), 265 + (client - app::ColumnLayout::kTotalDesignWidth) / 2);
    EXPECT_EQ(albumsGrid()->columnWidth(1), albumsGrid()->columnWidth(0));
    EXPECT_TRUE(child<QWidget>("TellFriendLink")->isVisible());
    EXPECT_TRUE(child<QWidget>("ReportBugLink")->isVisible());

    mainWindow->setMaximized(false);
    QTest::qWait(100);
    EXPECT_EQ(albumsGrid()->columnWidth(0), 265);
    EXPECT_FALSE(child<QWidget>("TellFriendLink")->isVisible());
}

TEST_F(MainWindowRoutines, HintZeroSwitchesTheTooltipsOff)
{
    useSmallCollection();
    settings::IniFile ini = settings::IniFile::load(dir.file("Vinora.ini"));
    ini.writeBool("Current", "Hint", false);
    ini.save(dir.file("Vinora.ini"));
    ASSERT_NO_FATAL_FAILURE(start());
    QWidget* help = child<QWidget>("HelpButton");
    auto askForTip = [&] {
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), help->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(help, &event);
    };
    askForTip();
    EXPECT_FALSE(QToolTip::isVisible());
    mainWindow->applyHints(true);
    askForTip();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Go to Help Page");
    QToolTip::hideText();
}

TEST_F(MainWindowRoutines, ALaterStartRestoresAMinimizedWindow)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    mainWindow->showMinimized();
    QTest::qWait(20);
    ASSERT_TRUE(mainWindow->isMinimized());
    mainWindow->raiseFromOtherStart();
    EXPECT_FALSE(mainWindow->isMinimized());
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(MainWindowRoutines, EngineErrorsEndTheActionInTheErrorBox)
{
    useSmallCollection();
    ASSERT_NO_FATAL_FAILURE(start());
    mainWindow->setFeature(Feature::Options, [this] { catalogue->albums()->setOrder("NoSuchTag"); });
    clickButton("OptionsButton");
    ASSERT_EQ(prompter.texts(ScriptedPrompter::Kind::Error).size(), 1u);
    EXPECT_NE(prompter.texts(ScriptedPrompter::Kind::Error)[0].find("NoSuchTag"), std::string::npos);
    EXPECT_EQ(albums()->rowCount(), 14) << "the window goes on";
}

}  // namespace

#include "main_window_routines_test.moc"
