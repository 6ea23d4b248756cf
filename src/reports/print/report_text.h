#pragma once

#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace reports::print {

struct BandText;

// The one font of a printed report, the desktop's sans at 10 pt, sized in
// page units; text is measured without hinting so that it takes the same
// room on the screen, the printer and in a PDF.
class ReportText {
public:
    ReportText();

    const QFont& font() const { return font_; }
    int ascent() const { return ascent_; }
    int lineSpacing() const { return lineSpacing_; }
    double width(const QString& text) const { return metrics_.horizontalAdvance(text); }

    // `x`, or a little past the end of `label` when its text reaches that
    // far: the desktop's font may be wider than the one the bands' places
    // were set for.
    int clearOf(const BandText& label, int x) const;

    // `text` broken at word boundaries (inside a word when it alone is too
    // long) into lines no wider than `width`; an empty text is one line.
    std::vector<QString> wrapped(const QString& text, int width) const;

private:
    QFont font_;
    QFontMetricsF metrics_;
    int ascent_ = 0;
    int lineSpacing_ = 0;
};

}  // namespace reports::print
