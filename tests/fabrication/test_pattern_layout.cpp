// Where the pieces go: side by side without overlap, and tiled over printed pages.

#include "fabrication/pattern_layout.h"

#include <gtest/gtest.h>

namespace {

DsnResult Three_Stage_Result() {
    DsnResult r;
    r.Diam = {44, 60.8f, 88.2f, 109.8f, 25.5f};
    r.Lnth = {61.4f, 223.8f, 148.9f, 74.9f, 89.5f, 195.3f, 195.3f};
    r.ETotal = 813.7f;
    return r;
}

Chamber_Patterns Three_Stage(int pieces, double seam) {
    DsnInput in;
    in.ThreeStage = true;
    in.PrtDiam = 40;
    in.PrtLnth = 20;
    Pattern_Options o;
    o.pieces = pieces;
    o.seam = seam;
    return Make_Chamber_Patterns(in, Three_Stage_Result(), o);
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
            const double left = f.x0 + s.offsets[i].x;
            const double right = f.x1 + s.offsets[i].x;
            const double bottom = f.y0 + s.offsets[i].y;
            const double top = f.y1 + s.offsets[i].y;
            EXPECT_GE(left, previousRight + 20 - 1e-9) << i;
            EXPECT_NEAR(bottom, 10, 1e-9);
            EXPECT_LE(top, s.height - 10 + 1e-9);
            EXPECT_LE(right, s.width - 10 + 1e-9);
            previousRight = right;
        }
    }
}

TEST(Tiles, CountAlongOneSide) {
    struct Case {
        double length, tile;
        int tiles;
    };
    // Tiles of 182 overlapping by 10 advance by 172.
    const Case cases[] = {{1, 182, 1},     {182, 182, 1}, {182.1, 182, 2}, {354, 182, 2},
                          {354.1, 182, 3}, {526, 182, 3}, {1000, 182, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(Tiles_Along(c.length, c.tile), c.tiles) << c.length;
}

TEST(Tiles, PageLayoutsLeaveRoomForLabelsMarksAndBars) {
    const Page_Box a4 = Page_Layout(Paper::A4, false);
    EXPECT_DOUBLE_EQ(a4.width, 210);
    EXPECT_DOUBLE_EQ(a4.height, 297);
    EXPECT_DOUBLE_EQ(a4.tile.x0, 14);
    EXPECT_DOUBLE_EQ(a4.tile.x1, 196);
    EXPECT_DOUBLE_EQ(a4.tile.y0, 24);
    EXPECT_DOUBLE_EQ(a4.tile.y1, 267);
    const Page_Box letterWide = Page_Layout(Paper::Letter, true);
    EXPECT_DOUBLE_EQ(letterWide.width, 279.4);
    EXPECT_DOUBLE_EQ(letterWide.height, 215.9);
    EXPECT_NEAR(letterWide.tile.width(), 279.4 - 28, 1e-9);
    EXPECT_NEAR(letterWide.tile.height(), 215.9 - 54, 1e-9);
}

// The tiles cover the frame, and the orientation is the one that needs fewer pages.
TEST(Tiles, PlanCoversTheFrameWithTheFewestPages) {
    const Box frames[] = {{0, 0, 100, 100},
                          {0, 0, 250, 150},
                          {-40, -300, 200, 10},
                          {0, 0, 900, 240},
                          {5, 5, 187, 248}};
    for (Paper paper : {Paper::A4, Paper::Letter})
        for (const Box& f : frames) {
            const Tile_Plan t = Plan_Tiles(f, paper);
            const double tw = t.page.tile.width();
            const double th = t.page.tile.height();
            EXPECT_LE(t.x0, f.x0 + 1e-9);
            EXPECT_GE(t.x0 + tw + (t.cols - 1) * t.stepX, f.x1 - 1e-9);
            EXPECT_GE(t.y1, f.y1 - 1e-9);
            EXPECT_LE(t.y1 - th - (t.rows - 1) * t.stepY, f.y0 + 1e-9);
            EXPECT_DOUBLE_EQ(t.stepX, tw - Tile_Overlap);
            const Page_Box other = Page_Layout(paper, !t.landscape);
            const int otherPages = Tiles_Along(f.width(), other.tile.width()) *
                                   Tiles_Along(f.height(), other.tile.height());
            EXPECT_LE(t.pages(), otherPages);
            if (t.landscape) {
                EXPECT_LT(t.pages(), otherPages);
            }
        }
}

TEST(Tiles, NamesRowLetterAndColumnNumber) {
    EXPECT_EQ(Tile_Name(0, 0), "A1");
    EXPECT_EQ(Tile_Name(1, 2), "B3");
    EXPECT_EQ(Tile_Name(25, 9), "Z10");
    EXPECT_EQ(Tile_Name(26, 0), "AA1");
}

// The figure block goes where the piece needs fewer pages: beside a narrow cone piece that
// would otherwise run onto a second page, beneath a rectangle that is only a little taller
// than wide.
TEST(Tiles, FigureBlockGoesWhereThePieceNeedsFewerPages) {
    const Chamber_Patterns split = Three_Stage(4, 10);
    const Chamber_Patterns whole = Three_Stage(1, 6);
    struct Case {
        const Flat_Piece* piece;
        Paper paper;
        bool beside;
    };
    const Case cases[] = {{&split.pieces[1], Paper::Letter, true},   // L2, a quarter cone
                          {&whole.pieces.back(), Paper::A4, false}}; // L7 tail pipe
    for (const auto& c : cases) {
        const Flat_Piece fitted = Fit_To_Paper(*c.piece, c.paper);
        EXPECT_EQ(fitted.figuresBeside, c.beside) << c.piece->section;
        Flat_Piece other = *c.piece;
        Place_Figure_Block(other, !c.beside);
        EXPECT_LT(Plan_Tiles(fitted.frame, c.paper).pages(),
                  Plan_Tiles(other.frame, c.paper).pages())
            << c.piece->section;
        EXPECT_EQ(Plan_Tiles(fitted.frame, c.paper).pages(), 1);
    }
}

TEST(Tiles, PageCountIsTheSummaryAndEveryPiecesTiles) {
    const Chamber_Patterns set = Three_Stage(2, 0);
    for (Paper paper : {Paper::A4, Paper::Letter}) {
        int pages = 1;
        for (const auto& p : set.pieces) {
            const Tile_Plan t = Plan_Tiles(Fit_To_Paper(p, paper).frame, paper);
            pages += t.rows * t.cols;
        }
        EXPECT_EQ(Pattern_Page_Count(set, paper), pages);
    }
}

} // namespace
