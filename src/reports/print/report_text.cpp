#include "reports/print/report_text.h"

#include <algorithm>
#include <cmath>

#include <QFontDatabase>
#include <QTextLayout>

#include "reports/print/report_band.h"

namespace reports::print {

namespace {

constexpr double kPointSize = 10;
constexpr double kMmPerPoint = 25.4 / 72;

}  // namespace

ReportText::ReportText() : font_(QFontDatabase::systemFont(QFontDatabase::GeneralFont)), metrics_(font_)
{
    font_.setStyleHint(QFont::SansSerif);
    font_.setPixelSize(static_cast<int>(std::lround(kPointSize * kMmPerPoint * kUnitsPerMm)));
    font_.setHintingPreference(QFont::PreferNoHinting);
    metrics_ = QFontMetricsF(font_);
    ascent_ = static_cast<int>(std::ceil(metrics_.ascent()));
    lineSpacing_ = static_cast<int>(std::ceil(metrics_.lineSpacing()));
}

int ReportText::clearOf(const BandText& label, int x) const
{
    constexpr int kGap = mm(1.5);
    return std::max(x, label.x + static_cast<int>(std::ceil(width(label.text))) + kGap);
}

std::vector<QString> ReportText::wrapped(const QString& text, int width) const
{
    if (text.isEmpty())
        return {QString()};
    QTextLayout layout(text, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<QString> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = text.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && part.back().isSpace())
            part.chop(1);
        lines.push_back(std::move(part));
    }
    layout.endLayout();
    return lines;
}

}  // namespace reports::print
