#pragma once

#include <array>

namespace app {

// Widths of the albums grid's first two columns as the window resizes. A
// normal window gives the first column its design width; a maximized one
// also gives it half of the room beyond the grid's design width. The second
// column always gets the first one's width. Applications in maximized state
// are counted: closing counts a window that was laid out maximized more
// than twice as maximized.
class ColumnLayout {
public:
    // Artist, Album, Media Label/Directory, Genre.
    static constexpr std::array<int, 4> kDesignWidths{265, 262, 142, 42};
    // Each column's width plus 2 (its grid line), summed, minus 2.
    static constexpr int kTotalDesignWidth = [] {
        int total = 0;
        for (int w : kDesignWidths)
            total += w + 2;
        return total - 2;
    }();
    // Never narrower than this, however small a maximized grid is.
    static constexpr int kNarrowest = 20;

    // The width of the first two columns for a grid whose client area is
    // `clientWidth` wide.
    int apply(bool maximized, int clientWidth);
    int maximizedLayouts() const { return maximizedLayouts_; }

private:
    int maximizedLayouts_ = 0;
};

}  // namespace app
