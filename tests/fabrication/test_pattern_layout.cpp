// Which pieces are cut, and the printed pages they are tiled over.

#include "core/patterns/pattern_layout.h"

#include <gtest/gtest.h>

namespace {

// A header of a tenth of a millimetre is still cut; one under 0.05 mm is named, not drawn.
TEST(SideBySide, OnlySectionsTooShortToCutAreLeftOut) {
    for (const float header : {0.1f, 0.049f}) {
        Chamber_Design d;
        d.input.ThreeStage = true;
        d.result.Diam = {44, 60.8f, 88.2f, 109.8f, 25.5f};
        d.result.Lnth = {header, 223.8f, 148.9f, 74.9f, 89.5f, 195.3f, 195.3f};
        const Chamber_Patterns set = Make_Chamber_Patterns(d, Pattern_Options{1.0, 0, 1});
        EXPECT_EQ(set.pieces.size(), header > 0.05f ? 7u : 6u) << header;
        EXPECT_EQ(set.omitted.size(), header > 0.05f ? 0u : 1u) << header;
    }
}

// The tile leaves the printer's margin and the crop zone at the sides, the label band
// above and the check bars' band below; neighbouring tiles overlap by 10 mm, a length too
// long for a sensible number of pages takes none; tiles are named by row letter and column
// number.
TEST(Tiles, PageLayoutsTileCountsAndNames) {
    const Page_Box a4 = Page_Layout(Paper::A4, false), letter = Page_Layout(Paper::Letter, true);
    EXPECT_EQ(std::tie(a4.width, a4.height, letter.width, letter.height),
              std::make_tuple(210.0, 297.0, 279.4, 215.9));
    for (const Page_Box& b : {a4, letter})
        EXPECT_EQ(std::tie(b.tile.x0, b.tile.y0, b.tile.x1, b.tile.y1),
                  std::make_tuple(14.0, 24.0, b.width - 14, b.height - 30));
    for (const auto& [length, tiles] : {std::pair{100.0, 1}, {190.0, 2}, {190.01, 3}, {1e9, 0}})
        EXPECT_EQ(Tiles_Along(length, 100), tiles) << length;
    EXPECT_EQ(Tile_Name(0, 0) + Tile_Name(1, 2) + Tile_Name(25, 9) + Tile_Name(26, 0),
              "A1B3Z10AA1");
}

} // namespace
