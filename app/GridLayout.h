#pragma once
// Layout arithmetic of the main window, as pure functions of sizes: the grid
// panels' percentage cells, margins, the tab-width rule and DPI scaling.
#include "platform/DpiScale.h"

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace sorabako::layout {

// Splits total into whole pixels by percentages, in order: each part is its
// exact share plus the fraction carried from the parts before, rounded to the
// nearest pixel; the last part takes what is left (113 in thirds: 38, 37, 38).
std::vector<int> SplitByPercent(int total, const std::vector<double>& percents);

struct Grid {
    std::vector<double> columns;  // percentages
    std::vector<double> rows;
};

RECT CellRect(const RECT& panel, const Grid& grid, int column, int row);
RECT Inset(const RECT& rect, int margin);

// All tabs get one width: the page control's client width div (pages + 1).
inline int TabWidth(int pageControlClientWidth, int pageCount) {
    return pageControlClientWidth / (pageCount + 1);
}

// The area a group box leaves to its content: below the caption's text
// height and two pixels in from the frame.
RECT GroupBoxInterior(const RECT& box, int captionTextHeight, UINT dpi);

inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace sorabako::layout
