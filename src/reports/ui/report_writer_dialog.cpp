#include "reports/ui/report_writer_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "search/ui/history_box.h"

namespace reports::ui {
namespace {

constexpr std::string_view kFilterHelpPage = "report.html#filter";
constexpr int kFilterBoxWidth = 440;

QPushButton* pushButton(const char* name, const QString& text, const QString& tooltip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    return button;
}

QLabel* exampleText(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);  // to copy into a filter box
    label->setIndent(16);
    return label;
}

}  // namespace

ReportWriterDialog::ReportWriterDialog(ReportWriterOutputs::Services services, std::string_view albumsTag,
                                       QWidget* parent)
    : QDialog(parent), prompter_(services.prompter)
{
    setObjectName("ReportWriterDialog");
    setWindowTitle(" Vinora - Report Writer [Review/Printout/Publish/Export  Collection]");
    albumsFilter_ = new search::ui::HistoryBox(services.programDir, search::FilterHistory::Table::Albums, this);
    tracksFilter_ = new search::ui::HistoryBox(services.programDir, search::FilterHistory::Table::Tracks, this);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    outputs_ = std::make_unique<ReportWriterOutputs>(std::move(services), *this, *statusBar_,
                                                     albumsFilter_->history(), tracksFilter_->history());
    buildWindow();
    statusBar_->showMessage(common::fromAnsi(kReportWriterReadyText));
    const SortOrder order = sortOrderForTag(albumsTag);
    for (const auto& [button, buttonOrder] : orderButtons_)
        button->setChecked(buttonOrder == order);
    albumsFilter_->load();
    tracksFilter_->load();
}

ReportWriterDialog::~ReportWriterDialog() = default;

void ReportWriterDialog::showModal(ReportWriterOutputs::Services services, std::string_view albumsTag,
                                   QWidget* parent)
{
    common::Prompter& prompter = services.prompter;
    std::unique_ptr<ReportWriterDialog> dialog;
    if (common::runAction(prompter,
                          [&] { dialog = std::make_unique<ReportWriterDialog>(std::move(services), albumsTag, parent); }))
        dialog->exec();
}

void ReportWriterDialog::buildWindow()
{
    auto* titleLabel = new QLabel("Report Title:", this);
    titleEdit_ = new QLineEdit(common::fromAnsi(kDefaultReportTitle), this);
    titleEdit_->setObjectName("ReportTitleEdit");
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(titleEdit_, 1);

    auto* orderGroup = new QGroupBox(" Display in order by: ", this);
    auto* orderRow = new QHBoxLayout(orderGroup);
    auto* orders = new QButtonGroup(this);
    const std::pair<const char*, SortOrder> orderItems[] = {{"Artist", SortOrder::Artist},
                                                            {"Album", SortOrder::Album},
                                                            {"Label", SortOrder::Label},
                                                            {"Genre", SortOrder::Genre},
                                                            {"Natural", SortOrder::Natural}};
    for (const auto& [text, order] : orderItems) {
        auto* button = new QRadioButton(text, orderGroup);
        button->setObjectName(QString(text) + "Order");
        orders->addButton(button);
        orderRow->addWidget(button);
        orderButtons_.emplace_back(button, order);
    }

    auto* tablesGroup =
        new QGroupBox(" In addition to the Albums table, include these tables in Report or Export: ", this);
    includeTracks_ = new QCheckBox("include Tracks table", tablesGroup);
    includeTracks_->setObjectName("IncludeTracksCheck");
    includePlaylists_ =
        new QCheckBox("include Playlists table (not applicable to Webpage (HTML) creation)", tablesGroup);
    includePlaylists_->setObjectName("IncludePlaylistsCheck");
    auto* tablesColumn = new QVBoxLayout(tablesGroup);
    tablesColumn->addWidget(includeTracks_);
    tablesColumn->addWidget(includePlaylists_);

    auto* reportButton = pushButton("ReportButton", "Report", "send output to screen, file or printer", this);
    reportButton->setDefault(true);
    auto* webpageButton =
        pushButton("WebpageButton", "Webpage", "Generate webpage (HTML) to publish your collection", this);
    auto* csvButton =
        pushButton("CsvButton", "CSV File", "Export to Comma Separted Values file for spreadsheets, etc.", this);
    auto* xmlButton = pushButton("XmlButton", "XML File", "Export to XML format", this);
    auto* helpButton = pushButton("HelpButton", "Help", QString(), this);
    auto* closeButton = pushButton("CloseButton", "Close", QString(), this);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(new QLabel("Create output:", this));
    for (QPushButton* b : {reportButton, webpageButton, csvButton, xmlButton})
        outputRow->addWidget(b);
    outputRow->addStretch(1);
    outputRow->addWidget(helpButton);
    outputRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addWidget(orderGroup);
    layout->addWidget(tablesGroup);
    layout->addWidget(buildSelectionGroup());
    layout->addLayout(outputRow);
    layout->addWidget(statusBar_);

    const auto openHelp = [this] { outputs_->services().openPage(kFilterHelpPage); };
    connect(reportButton, &QPushButton::clicked, this,
            [this] { produce([this](const SelectionSettings& s) { outputs_->printReport(s); }); });
    connect(webpageButton, &QPushButton::clicked, this,
            [this] { produce([this](const SelectionSettings& s) { outputs_->writeWebPage(s); }); });
    connect(csvButton, &QPushButton::clicked, this, [this] {
        produce([this](const SelectionSettings& s) { outputs_->writeDataFiles(OutputKind::Csv, s); });
    });
    connect(xmlButton, &QPushButton::clicked, this, [this] {
        produce([this](const SelectionSettings& s) { outputs_->writeDataFiles(OutputKind::Xml, s); });
    });
    connect(helpButton, &QPushButton::clicked, this, openHelp);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* ReportWriterDialog::buildSelectionGroup()
{
    auto* group = new QGroupBox(" Record Selection using filter expression (optional) ", this);
    albumsFilter_->setObjectName("AlbumsFilterBox");
    albumsFilter_->setMinimumWidth(kFilterBoxWidth);
    tracksFilter_->setObjectName("TracksFilterBox");
    tracksFilter_->setMinimumWidth(kFilterBoxWidth);
    using search::ui::HistoryBox;
    auto* clearAlbums = HistoryBox::clearButton("ClearAlbumsFilterButton", group);
    auto* removeAlbums = HistoryBox::removeButton("RemoveAlbumsFilterButton", group);
    auto* clearTracks = HistoryBox::clearButton("ClearTracksFilterButton", group);
    auto* removeTracks = HistoryBox::removeButton("RemoveTracksFilterButton", group);

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("The following fields in the Albums table are available for filtering:", group), 0, 0,
                    1, 3);
    grid->addWidget(new QLabel("Artist  Album  Genre  Media  Label  YR  Notes", group), 1, 0, 1, 3);
    grid->addWidget(new QLabel("Filter expression for Albums table:", group), 2, 0, 1, 3);
    grid->addWidget(albumsFilter_, 3, 0);
    grid->addWidget(clearAlbums, 3, 1);
    grid->addWidget(removeAlbums, 3, 2);
    grid->addWidget(new QLabel("Filter expression for Tracks table - only available field is TRACK:", group), 4, 0,
                    1, 3);
    grid->addWidget(tracksFilter_, 5, 0);
    grid->addWidget(clearTracks, 5, 1);
    grid->addWidget(removeTracks, 5, 2);
    grid->addWidget(buildExamplesGroup(), 6, 0, 1, 3);

    const auto removeFrom = [this](search::ui::HistoryBox* box) {
        common::runAction(prompter_, [box] { box->removeFromHistory(); });
    };
    connect(clearAlbums, &QToolButton::clicked, albumsFilter_, &search::ui::HistoryBox::clearEntry);
    connect(removeAlbums, &QToolButton::clicked, this, [this, removeFrom] { removeFrom(albumsFilter_); });
    connect(clearTracks, &QToolButton::clicked, tracksFilter_, &search::ui::HistoryBox::clearEntry);
    connect(removeTracks, &QToolButton::clicked, this, [this, removeFrom] { removeFrom(tracksFilter_); });
    return group;
}

QWidget* ReportWriterDialog::buildExamplesGroup()
{
    auto* group = new QGroupBox(" Some examples: ", this);
    auto* moreButton = pushButton("MoreExamplesButton", "More examples ...", QString(), group);
    auto* column = new QVBoxLayout(group);
    column->addWidget(new QLabel("Show only albums on vinyl or cassette media:", group));
    column->addWidget(exampleText(R"(contains(media,"vl") OR contains(media,"cs"))", group));
    column->addWidget(new QLabel("Show only the albums of one artist:", group));
    column->addWidget(exampleText(R"(contains(artist,"Hollow Pines"))", group));
    column->addWidget(moreButton, 0, Qt::AlignRight);
    connect(moreButton, &QPushButton::clicked, this, [this] { outputs_->services().openPage(kFilterHelpPage); });
    return group;
}

SelectionSettings ReportWriterDialog::settings() const
{
    SelectionSettings s;
    s.albumsFilter = albumsFilter_->text();
    s.tracksFilter = tracksFilter_->text();
    s.includeTracks = includeTracks_->isChecked();
    s.includePlaylists = includePlaylists_->isChecked();
    for (const auto& [button, order] : orderButtons_)
        if (button->isChecked())
            s.order = order;
    s.title = common::toAnsi(titleEdit_->text());
    return s;
}

void ReportWriterDialog::produce(const std::function<void(const SelectionSettings&)>& output)
{
    output(settings());
    albumsFilter_->showEntries();
    tracksFilter_->showEntries();
}

// Every way of closing saves the histories.
void ReportWriterDialog::done(int result)
{
    common::runAction(prompter_, [this] {
        albumsFilter_->history().save();
        tracksFilter_->history().save();
    });
    QDialog::done(result);
}

}  // namespace reports::ui
