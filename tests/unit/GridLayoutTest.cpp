#include "app/GridLayout.h"

#include <gtest/gtest.h>

namespace sorabako::layout {
namespace {

using Sizes = std::vector<int>;

TEST(GridLayout, SplitCarriesTheRoundingOnAndTheLastTakesTheRest) {
    const std::vector<double> thirds{33.3333, 33.3333, 33.3333};
    EXPECT_EQ(SplitByPercent(113, thirds), (Sizes{38, 37, 38}));
    EXPECT_EQ(SplitByPercent(234, thirds), (Sizes{78, 78, 78}));
    EXPECT_EQ(SplitByPercent(200, {68.7396, 31.2604}), (Sizes{137, 63}));
    EXPECT_EQ(SplitByPercent(200, {20, 20, 20, 20, 20}), (Sizes{40, 40, 40, 40, 40}));
    EXPECT_EQ(SplitByPercent(203, {20, 20, 20, 20, 20}), (Sizes{41, 40, 41, 40, 41}));
    EXPECT_EQ(SplitByPercent(244, {50, 50}), (Sizes{122, 122}));
}

TEST(GridLayout, CellsOfTheDesignSize) {
    const RECT panel{3, 3, 247, 203};  // 244 × 200
    const RECT button = Inset(CellRect(panel, {{100}, {20, 20, 20, 20, 20}}, 0, 4), 3);
    EXPECT_EQ(Width(button), 238);
    EXPECT_EQ(Height(button), 34);
    EXPECT_EQ(button.top, 3 + 160 + 3);

    const RECT help = Inset(CellRect(panel, {{50, 50}, {20, 20, 20, 20, 20}}, 0, 1), 3);
    EXPECT_EQ(Width(help), 116);
    EXPECT_EQ(help.left, 6);

    const RECT modes{0, 0, 234, 113};
    const Grid thirds{{33.3333, 33.3333, 33.3333}, {33.3333, 33.3333, 33.3333}};
    const RECT middle = Inset(CellRect(modes, thirds, 1, 1), 3);
    EXPECT_EQ(Width(middle), 72);
    EXPECT_EQ(Height(middle), 31);
    EXPECT_EQ(Height(Inset(CellRect(modes, thirds, 0, 0), 3)), 32);
}

TEST(GridLayout, TabWidthDividesByOneMoreThanThePages) {
    EXPECT_EQ(TabWidth(258, 4), 51);
    EXPECT_EQ(TabWidth(254, 4), 50);
    EXPECT_EQ(TabWidth(1914, 4), 382);
}

TEST(GridLayout, GroupBoxInteriorAndScaling) {
    const RECT interior = Inset(GroupBoxInterior(RECT{0, 0, 244, 137}, 14, 96), 3);
    EXPECT_EQ(Width(interior), 234);
    EXPECT_EQ(Height(interior), 113);
    EXPECT_EQ(Height(Inset(GroupBoxInterior(RECT{0, 137, 244, 200}, 14, 96), 3)), 39);
    EXPECT_EQ(ScaleForDpi(280, 144), 420);
    EXPECT_EQ(ScaleForDpi(-11, 120), -14);
}

}  // namespace
}  // namespace sorabako::layout
