#pragma once

#include <Qt>

// The colours the windows are drawn in, by the names they are known under.
namespace common::ui::colour {

inline constexpr Qt::GlobalColor kAqua = Qt::cyan;         // 0, 255, 255: the current order's title
inline constexpr Qt::GlobalColor kNavy = Qt::darkBlue;     // 0, 0, 128: grid titles
inline constexpr Qt::GlobalColor kMaroon = Qt::darkRed;    // 128, 0, 0: album values
inline constexpr Qt::GlobalColor kGreen = Qt::darkGreen;   // 0, 128, 0: play hints
inline constexpr Qt::GlobalColor kOlive = Qt::darkYellow;  // 128, 128, 0
inline constexpr Qt::GlobalColor kTeal = Qt::darkCyan;     // 0, 128, 128: artist results
inline constexpr Qt::GlobalColor kMarked = Qt::yellow;     // marked tracks

}  // namespace common::ui::colour
