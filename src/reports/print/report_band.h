#pragma once

#include <vector>

#include <QString>

namespace reports::print {

// Lengths of a printed page are whole hundredths of a millimetre, so a layout
// is the same on every device it is drawn on.
inline constexpr int kUnitsPerMm = 100;
constexpr int mm(double millimetres) { return static_cast<int>(millimetres * kUnitsPerMm + 0.5); }

// US Letter, portrait, with the same margin on every side.
inline constexpr int kPaperWidth = mm(215.9);
inline constexpr int kPaperHeight = mm(279.4);
inline constexpr int kMargin = mm(12.7);
inline constexpr int kPrintingWidth = mm(190.5);
inline constexpr int kPrintingHeight = kPaperHeight - 2 * kMargin;

// One label of a band: its top-left corner from the band's, or its right
// edge when `alignRight`.
struct BandText {
    int x = 0;
    int y = 0;
    QString text;
    bool alignRight = false;
};

// A horizontal strip of a page that is printed whole. Its `lines` (a memo's,
// already wrapped) run down from `linesTop` and may go on to the next page
// when they alone cannot fit on one.
struct ReportBand {
    int height = 0;
    std::vector<BandText> texts;
    int linesX = 0;
    int linesTop = 0;
    std::vector<QString> lines;
};

}  // namespace reports::print
