#include "editing/ui/media_usage_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "common/ansi_text.h"
#include "editing/media_usage.h"

namespace editing::ui {

MediaUsageDialog::MediaUsageDialog(catalogue::Catalogue& catalogue, std::function<void(std::string_view page)> openPage,
                                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName("MediaUsageDialog");
    setWindowTitle("Vinora - Time and tracks used so far on target Media");
    resize(720, 480);
    const std::vector<MediaUsageRow> rows = MediaUsage::allLabels(catalogue);

    auto* usage = new QTextEdit(this);
    usage->setObjectName("usageText");
    usage->setReadOnly(true);
    usage->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    usage->setLineWrapMode(QTextEdit::NoWrap);
    usage->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QTextCursor cursor(usage->document());
    QTextCharFormat plain;
    QTextCharFormat estimated;
    estimated.setForeground(Qt::red);
    bool anyEstimated = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(common::fromAnsi(MediaUsage::line(rows[i])), rows[i].estimated ? estimated : plain);
        anyEstimated = anyEstimated || rows[i].estimated;
    }
    if (rows.empty())
        cursor.insertText(common::fromAnsi(MediaUsage::kNoLabelLine), estimated);
    usage->moveCursor(QTextCursor::Start);

    // The headings in the text's font stand over their columns.
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    const QFontMetrics metrics(usage->font());
    const auto heading = [&](const char* text, int columns) {
        auto* label = new QLabel(text, this);
        label->setFont(usage->font());
        if (columns > 0)
            label->setFixedWidth(metrics.horizontalAdvance(QString(columns, ' ')));
        headings->addWidget(label);
    };
    headings->addSpacing(usage->frameWidth() + static_cast<int>(usage->document()->documentMargin()));
    heading("mmm:ss", 7);
    heading("Target Media Label or Directory", MediaUsage::kLabelWidth);
    heading("Number of Tracks", 0);
    headings->addStretch();

    auto* notice = new QLabel(
        "Labels in Red contain at least one album with no track timing, so 3 minutes per track is estimated for them",
        this);
    notice->setObjectName("estimatedNotice");
    notice->setStyleSheet("color: red");
    notice->setWordWrap(true);
    notice->setVisible(anyEstimated);

    auto* help = new QPushButton("Help", this);
    help->setObjectName("helpButton");
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [openPage = std::move(openPage)] { openPage("report.html#space"); });
    auto* close = new QPushButton("Close", this);
    close->setObjectName("closeButton");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel("Contents can be copied to the Windows Clipboard (ctrl-A then ctrl-C)", this), 1);
    buttons->addWidget(help);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(usage, 1);
    layout->addWidget(notice);
    layout->addLayout(buttons);
    usage->setFocus();
}

}  // namespace editing::ui
