// Where the pieces go: side by side without overlap, and tiled over printed pages.

#include "fabrication/pattern_layout.h"

#include <gtest/gtest.h>

namespace {

Chamber_Patterns Three_Stage(int pieces, double seam, float header = 61.4f) {
    Chamber_Design d;
    d.input.ThreeStage = true;
    d.result.Diam = {44, 60.8f, 88.2f, 109.8f, 25.5f};
    d.result.Lnth = {header, 223.8f, 148.9f, 74.9f, 89.5f, 195.3f, 195.3f};
    return Make_Chamber_Patterns(d, Pattern_Options{1.0, seam, pieces});
}

// A header of a tenth of a millimetre is still cut; one under 0.05 mm is named, not drawn.
TEST(SideBySide, OnlySectionsTooShortToCutAreLeftOut) {
    for (const float header : {0.1f, 0.049f}) {
        const Chamber_Patterns set = Three_Stage(1, 0, header);
        EXPECT_EQ(set.pieces.size(), header > 0.05f ? 7u : 6u) << header;
        EXPECT_EQ(set.omitted.size(), header > 0.05f ? 0u : 1u) << header;
    }
}

TEST(SideBySide, FramesDoNotOverlapAndStayOnTheSheet) {
    for (int pieces : {1, 2, 4}) {
        const Chamber_Patterns set = Three_Stage(pieces, 5);
        ASSERT_EQ(set.pieces.size(), static_cast<size_t>(4 * pieces + 3));
        const Sheet_Layout s = Lay_Out_Side_By_Side(set.pieces, 20, 10);
        ASSERT_EQ(s.offsets.size(), set.pieces.size());
        double previousRight = 10 - 20; // the first piece starts at the margin
        for (size_t i = 0; i < set.pieces.size(); ++i) {
            const Box& f = set.pieces[i].frame;
            const Pt o = s.offsets[i];
            EXPECT_GE(f.x0 + o.x, previousRight + 20 - 1e-9) << i;
            EXPECT_NEAR(f.y0 + o.y, 10, 1e-9);
            EXPECT_TRUE(f.y1 + o.y <= s.height - 10 + 1e-9 && f.x1 + o.x <= s.width - 10 + 1e-9);
            previousRight = f.x1 + o.x;
        }
    }
}

TEST(Tiles, CountAlongOneSide) {
    // Tiles of 182 overlapping by 10 advance by 172.
    const std::pair<double, int> cases[] = {{1, 1},     {182, 1}, {182.1, 2}, {354, 2},
                                            {354.1, 3}, {526, 3}, {1000, 6}};
    for (const auto& [length, tiles] : cases)
        EXPECT_EQ(Tiles_Along(length, 182), tiles) << length;
}

// The tile leaves the printer's margin and the crop zone at the sides, the label band
// above and the check bars' band below.
TEST(Tiles, PageLayoutsLeaveRoomForLabelsMarksAndBars) {
    const Page_Box a4 = Page_Layout(Paper::A4, false), letter = Page_Layout(Paper::Letter, true);
    EXPECT_EQ(std::tie(a4.width, a4.height, letter.width, letter.height),
              std::make_tuple(210.0, 297.0, 279.4, 215.9));
    for (const Page_Box& b : {a4, letter})
        EXPECT_EQ(std::tie(b.tile.x0, b.tile.y0, b.tile.x1, b.tile.y1),
                  std::make_tuple(14.0, 24.0, b.width - 14, b.height - 30));
}

TEST(Tiles, NamesRowLetterAndColumnNumber) {
    EXPECT_EQ(Tile_Name(0, 0) + Tile_Name(1, 2) + Tile_Name(25, 9) + Tile_Name(26, 0),
              "A1B3Z10AA1");
}

// The figure block goes where the piece needs fewer pages: beside a narrow cone piece that
// would otherwise run onto a second page, beneath a rectangle only a little taller than wide.
TEST(Tiles, FigureBlockGoesWhereThePieceNeedsFewerPages) {
    const Chamber_Patterns split = Three_Stage(4, 10);
    const Chamber_Patterns whole = Three_Stage(1, 6);
    const std::tuple<const Flat_Piece*, Paper, bool> cases[] = {
        {&split.pieces[1], Paper::Letter, true},   // L2, a quarter cone
        {&whole.pieces.back(), Paper::A4, false}}; // L7 tail pipe
    for (const auto& [piece, paper, beside] : cases) {
        const Flat_Piece fitted = Fit_To_Paper(*piece, paper);
        EXPECT_EQ(fitted.figuresBeside, beside) << piece->section;
        Flat_Piece other = *piece;
        Place_Figure_Block(other, !beside);
        EXPECT_EQ(Plan_Tiles(fitted.frame, paper).pages(), 1) << piece->section;
        EXPECT_GT(Plan_Tiles(other.frame, paper).pages(), 1) << piece->section;
    }
}

} // namespace
