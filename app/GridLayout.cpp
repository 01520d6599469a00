#include "app/GridLayout.h"

#include <cmath>

namespace sorabako::layout {

std::vector<int> SplitByPercent(int total, const std::vector<double>& percents) {
    std::vector<int> sizes;
    double carried = 0.0;
    int used = 0;
    for (std::size_t i = 0; i < percents.size(); ++i) {
        if (i + 1 == percents.size()) {
            sizes.push_back(total - used);
            break;
        }
        const double exact = total * percents[i] / 100.0 + carried;
        const int rounded = static_cast<int>(std::lround(exact));
        carried = exact - rounded;
        sizes.push_back(rounded);
        used += rounded;
    }
    return sizes;
}

RECT CellRect(const RECT& panel, const Grid& grid, int column, int row) {
    const std::vector<int> widths = SplitByPercent(Width(panel), grid.columns);
    const std::vector<int> heights = SplitByPercent(Height(panel), grid.rows);
    RECT cell{panel.left, panel.top, panel.left, panel.top};
    for (int c = 0; c < column; ++c) cell.left += widths[c];
    for (int r = 0; r < row; ++r) cell.top += heights[r];
    cell.right = cell.left + widths[column];
    cell.bottom = cell.top + heights[row];
    return cell;
}

RECT Inset(const RECT& rect, int margin) {
    return RECT{rect.left + margin, rect.top + margin, rect.right - margin, rect.bottom - margin};
}

RECT GroupBoxInterior(const RECT& box, int captionTextHeight, UINT dpi) {
    RECT interior = box;
    interior.top += captionTextHeight;
    return Inset(interior, ScaleForDpi(2, dpi));
}

}  // namespace sorabako::layout
