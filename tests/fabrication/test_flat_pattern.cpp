// The developed cones and rectangles: the figures, and the drawing that the renderers
// take from them, checked against the cone's own geometry.

#include "fabrication/flat_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace {

constexpr double Pi = 3.14159265358979323846;

Chamber_Section Cone(double insideIn, double insideOut, double length) {
    Chamber_Section s;
    s.name = "L2";
    s.role = "diffuser stage 1";
    s.cone = true;
    s.diamIn = "D1";
    s.diamOut = "D2";
    s.insideIn = insideIn;
    s.insideOut = insideOut;
    s.length = length;
    return s;
}

double Rel(double a, double b) {
    return std::fabs(a - b) / std::max(std::fabs(b), 1e-300);
}

double Dist(Pt a, Pt b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Pt Arc_Point(const Pattern_Arc& a, double angle) {
    return {a.centre.x + a.radius * std::cos(angle), a.centre.y + a.radius * std::sin(angle)};
}

// The two outline arcs of a sector: the larger is the outer.
std::pair<Pattern_Arc, Pattern_Arc> Outer_Inner(const Flat_Piece& p) {
    std::vector<Pattern_Arc> cut;
    for (const auto& a : p.arcs)
        if (a.role == Line_Role::Outline)
            cut.push_back(a);
    EXPECT_EQ(cut.size(), 2u);
    if (cut[0].radius < cut[1].radius)
        std::swap(cut[0], cut[1]);
    return {cut[0], cut[1]};
}

TEST(ConePattern, WorkedConeGivesTheHandFigures) {
    // Mean diameters 40 and 100: inside 39 and 99 with the default 1 mm sheet.
    const auto pieces = Develop_Section(Cone(39, 99, 200), Pattern_Options{});
    ASSERT_EQ(pieces.size(), 1u);
    const Flat_Piece& p = pieces[0];
    EXPECT_TRUE(p.sector);
    EXPECT_DOUBLE_EQ(p.dSmall, 40);
    EXPECT_DOUBLE_EQ(p.dLarge, 100);
    EXPECT_NEAR(p.slant, 202.24, 0.005);
    EXPECT_NEAR(p.rOuter, 337.06, 0.005);
    EXPECT_NEAR(p.rInner, 134.82, 0.01);
    EXPECT_NEAR(p.coneAngle * 180 / Pi, 53.40, 0.005);
    EXPECT_NEAR(p.chordOuter, 2 * 337.0625 * std::sin(p.coneAngle / 2), 1e-3);
}

TEST(ConePattern, SheetThicknessMovesBothEndsToTheMeanDiameter) {
    for (double t : {0.3, 1.0, 2.5, 3.0}) {
        Pattern_Options o;
        o.sheet = t;
        const Flat_Piece p = Develop_Section(Cone(50, 80, 150), o)[0];
        EXPECT_DOUBLE_EQ(p.dSmall, 50 + t) << t;
        EXPECT_DOUBLE_EQ(p.dLarge, 80 + t) << t;
        EXPECT_DOUBLE_EQ(p.insideSmall, 50) << t;
        EXPECT_NEAR(p.outerArc, Pi * (80 + t), 1e-9) << t;
    }
}

struct Cone_Case {
    double insideIn, insideOut, length, sheet, seam;
    int pieces;
};

class ConeGeometry : public ::testing::TestWithParam<Cone_Case> {};

// For every piece the drawn arcs have the lengths of the rolled ends, the straight edges
// are the slant, and the pieces of a split cone add up to the whole cone.
TEST_P(ConeGeometry, ArcsEdgesAndPiecesAgreeWithTheRolledCone) {
    const Cone_Case c = GetParam();
    Pattern_Options o;
    o.sheet = c.sheet;
    o.seam = c.seam;
    o.pieces = c.pieces;
    const auto pieces = Develop_Section(Cone(c.insideIn, c.insideOut, c.length), o);
    ASSERT_EQ(pieces.size(), static_cast<size_t>(c.pieces));

    const double d = std::min(c.insideIn, c.insideOut) + c.sheet;
    const double D = std::max(c.insideIn, c.insideOut) + c.sheet;
    const double slant = std::sqrt(c.length * c.length + (D - d) * (D - d) / 4);
    double sweep = 0, outer = 0, inner = 0;
    for (const auto& p : pieces) {
        ASSERT_TRUE(p.sector);
        const auto [oa, ia] = Outer_Inner(p);
        EXPECT_LT(Rel(oa.length(), Pi * D / c.pieces), 1e-9);
        EXPECT_LT(Rel(ia.length(), Pi * d / c.pieces), 1e-9);
        EXPECT_LT(Rel(oa.radius - ia.radius, slant), 1e-9);
        EXPECT_LT(Rel(p.rOuter - p.rInner, p.slant), 1e-9);
        EXPECT_LT(Rel(ia.radius / oa.radius, d / D), 1e-9);
        // Both arcs about the apex, over the same angle.
        EXPECT_EQ(Dist(oa.centre, ia.centre), 0);
        EXPECT_DOUBLE_EQ(oa.end - oa.start, ia.end - ia.start);

        // The straight edges join the arcs' ends and are a slant long.
        int edges = 0;
        for (const auto& l : p.lines) {
            if (l.role != Line_Role::Outline && l.role != Line_Role::SeamLine)
                continue;
            for (double a : {oa.start, oa.end}) {
                const Pt po = Arc_Point(oa, a), pi = Arc_Point(ia, a);
                if ((Dist(l.a, pi) < 1e-9 && Dist(l.b, po) < 1e-9) ||
                    (Dist(l.a, po) < 1e-9 && Dist(l.b, pi) < 1e-9)) {
                    ++edges;
                    EXPECT_LT(Rel(Dist(l.a, l.b), slant), 1e-9);
                }
            }
        }
        EXPECT_EQ(edges, 2);
        sweep += p.angle;
        outer += oa.length();
        inner += ia.length();
    }
    EXPECT_LT(Rel(sweep, pieces[0].coneAngle), 1e-12);
    EXPECT_LT(Rel(outer, Pi * D), 1e-9);
    EXPECT_LT(Rel(inner, Pi * d), 1e-9);
    EXPECT_LT(Rel(pieces[0].coneAngle, Pi * D / pieces[0].rOuter), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Cones, ConeGeometry,
    ::testing::Values(Cone_Case{39, 99, 200, 1.0, 0, 1}, Cone_Case{44, 60.8, 223.8, 1.0, 0, 1},
                      Cone_Case{60.8, 88.2, 148.9, 0.3, 5, 2},
                      Cone_Case{88.2, 109.8, 74.9, 3.0, 20, 3},
                      Cone_Case{109.8, 25.5, 195.3, 1.5, 0, 4}, // rear cone: large end first
                      Cone_Case{10, 200, 5, 1.0, 0, 1},         // short and wide: sweep > pi
                      Cone_Case{10, 200, 5, 1.0, 3, 4}));

// Every end point of the cut outline is shared by exactly two cut lines or arcs: the
// outline is closed, with or without the seam allowance.
TEST(ConePattern, CutOutlineIsClosed) {
    for (double seam : {0.0, 6.0})
        for (bool sector : {true, false}) {
            Pattern_Options o;
            o.seam = seam;
            o.pieces = 2;
            Chamber_Section s = Cone(50, sector ? 90 : 50, 120);
            const Flat_Piece p = Develop_Section(s, o)[0];
            std::vector<Pt> ends;
            for (const auto& l : p.lines)
                if (l.role == Line_Role::Outline) {
                    ends.push_back(l.a);
                    ends.push_back(l.b);
                }
            for (const auto& a : p.arcs)
                if (a.role == Line_Role::Outline) {
                    ends.push_back(Arc_Point(a, a.start));
                    ends.push_back(Arc_Point(a, a.end));
                }
            for (const Pt& e : ends) {
                int shared = 0;
                for (const Pt& f : ends)
                    shared += Dist(e, f) < 1e-9;
                EXPECT_EQ(shared, 2)
                    << "seam " << seam << " sector " << sector << " at " << e.x << "," << e.y;
            }
        }
}

// The seam allowance is a strip of its own width outside one straight edge; the edge
// itself becomes the etched seam line and the developed cone keeps its figures.
TEST(ConePattern, SeamAllowanceIsAStripBesideTheEdge) {
    for (bool sector : {true, false}) {
        Pattern_Options with;
        with.seam = 12;
        const Chamber_Section s = Cone(40, sector ? 70 : 40, 100);
        const Flat_Piece a = Develop_Section(s, Pattern_Options{})[0];
        const Flat_Piece b = Develop_Section(s, with)[0];
        EXPECT_DOUBLE_EQ(a.outerArc, b.outerArc);
        EXPECT_DOUBLE_EQ(a.rOuter, b.rOuter);
        EXPECT_DOUBLE_EQ(a.seam, 0);
        EXPECT_DOUBLE_EQ(b.seam, 12);

        const Pattern_Line* seamLine = nullptr;
        for (const auto& l : b.lines)
            if (l.role == Line_Role::SeamLine)
                seamLine = &l;
        ASSERT_NE(seamLine, nullptr);
        // The strip's outer cut line runs parallel to the seam line, 12 mm away.
        const Pt u{seamLine->b.x - seamLine->a.x, seamLine->b.y - seamLine->a.y};
        const double len = std::hypot(u.x, u.y);
        bool found = false;
        for (const auto& l : b.lines) {
            if (l.role != Line_Role::Outline)
                continue;
            auto offset = [&](Pt p) {
                return ((p.x - seamLine->a.x) * u.y - (p.y - seamLine->a.y) * u.x) / len;
            };
            if (std::fabs(offset(l.a) - 12) < 1e-9 && std::fabs(offset(l.b) - 12) < 1e-9) {
                found = true;
                EXPECT_NEAR(Dist(l.a, l.b), len, 1e-9);
            }
        }
        EXPECT_TRUE(found) << sector;
        // The outline grows by the strip, across the edge's slope (rectangles: angle 0).
        EXPECT_NEAR(b.outline.width() - a.outline.width(), 12 * std::cos(a.angle / 2), 1e-9);
        for (const auto& l : a.lines)
            EXPECT_NE(l.role, Line_Role::SeamLine);
    }
}

TEST(ConePattern, EqualEndsAndParallelSectionsAreRectangles) {
    Chamber_Section parallel = Cone(109.8, 109.8, 74.9);
    parallel.cone = false;
    parallel.name = "L5";
    Pattern_Options o;
    o.pieces = 3; // parallel sections stay in one piece
    const auto belly = Develop_Section(parallel, o);
    ASSERT_EQ(belly.size(), 1u);
    EXPECT_FALSE(belly[0].sector);
    EXPECT_TRUE(belly[0].fromTube);
    EXPECT_NEAR(belly[0].rectWidth, Pi * 110.8, 1e-9);
    EXPECT_NEAR(belly[0].outline.width(), Pi * 110.8, 1e-9);
    EXPECT_NEAR(belly[0].outline.height(), 74.9, 1e-9);

    const auto straight = Develop_Section(Cone(60, 60, 100), o); // a cone with equal ends
    ASSERT_EQ(straight.size(), 3u);
    double width = 0;
    for (const auto& p : straight) {
        EXPECT_FALSE(p.sector);
        EXPECT_FALSE(p.fromTube);
        width += p.rectWidth;
    }
    EXPECT_LT(Rel(width, Pi * 61), 1e-12);
}

// Alignment marks: on both ends, at the quarters of the whole circumference that fall
// inside the piece and at the piece's middle, where its centre line meets the ends.
TEST(ConePattern, AlignmentMarksAtTheQuartersOnBothEnds) {
    // Expected marks per piece, as fractions of the piece from its left edge.
    const std::map<std::pair<int, int>, std::vector<double>> expected = {
        {{1, 1}, {0.25, 0.5, 0.75}},
        {{2, 1}, {0.5}},
        {{2, 2}, {0.5}},
        {{3, 1}, {0.5, 0.75}},
        {{3, 2}, {0.5}},
        {{3, 3}, {0.25, 0.5}},
        {{4, 1}, {0.5}},
        {{4, 4}, {0.5}},
    };
    for (const auto& [key, fractions] : expected) {
        Pattern_Options o;
        o.pieces = key.first;
        const auto pieces = Develop_Section(Cone(40, 90, 150), o);
        const Flat_Piece& p = pieces[key.second - 1];
        const auto [oa, ia] = Outer_Inner(p);
        std::vector<double> outerMarks, innerMarks;
        for (const auto& l : p.lines) {
            if (l.role != Line_Role::Mark)
                continue;
            const double r = std::hypot(l.a.x, l.a.y);
            const double frac = (oa.end - std::atan2(l.a.y, l.a.x)) / (oa.end - oa.start);
            // Each mark is radial and starts on an end.
            EXPECT_NEAR(std::atan2(l.a.y, l.a.x), std::atan2(l.b.y, l.b.x), 1e-12);
            if (std::fabs(r - oa.radius) < 1e-9)
                outerMarks.push_back(frac);
            else if (std::fabs(r - ia.radius) < 1e-9)
                innerMarks.push_back(frac);
            else
                ADD_FAILURE() << "mark off the ends at radius " << r;
        }
        ASSERT_EQ(outerMarks.size(), fractions.size()) << key.first << "/" << key.second;
        ASSERT_EQ(innerMarks.size(), fractions.size());
        for (size_t i = 0; i < fractions.size(); ++i) {
            EXPECT_NEAR(outerMarks[i], fractions[i], 1e-9);
            EXPECT_NEAR(innerMarks[i], fractions[i], 1e-9);
        }
    }
}

// The outline box holds every drawn point and is reached by the drawing on all sides,
// also for sectors wider than a half circle, and the figure block sits below it.
TEST(ConePattern, OutlineBoxIsTightAndFiguresStayOutsideIt) {
    for (const Chamber_Section& s :
         {Cone(44, 60.8, 223.8), Cone(10, 200, 5), Cone(109.8, 25.5, 195.3), Cone(20, 24, 300)}) {
        Pattern_Options o;
        o.seam = 4;
        const Flat_Piece p = Develop_Section(s, o)[0];
        Box seen{1e300, 1e300, -1e300, -1e300};
        auto see = [&](Pt q) {
            EXPECT_GE(q.x, p.outline.x0 - 1e-9);
            EXPECT_LE(q.x, p.outline.x1 + 1e-9);
            EXPECT_GE(q.y, p.outline.y0 - 1e-9);
            EXPECT_LE(q.y, p.outline.y1 + 1e-9);
            seen = {std::min(seen.x0, q.x), std::min(seen.y0, q.y), std::max(seen.x1, q.x),
                    std::max(seen.y1, q.y)};
        };
        for (const auto& l : p.lines) {
            see(l.a);
            see(l.b);
        }
        for (const auto& a : p.arcs)
            for (int i = 0; i <= 20000; ++i)
                see(Arc_Point(a, a.start + (a.end - a.start) * i / 20000));
        EXPECT_NEAR(seen.x0, p.outline.x0, 1e-3);
        EXPECT_NEAR(seen.x1, p.outline.x1, 1e-3);
        EXPECT_NEAR(seen.y0, p.outline.y0, 1e-3);
        EXPECT_NEAR(seen.y1, p.outline.y1, 1e-3);

        // The figure block lies wholly beneath or beside the outline, inside the frame,
        // wherever it is placed.
        for (bool besideIt : {false, true}) {
            Flat_Piece q = p;
            Place_Figure_Block(q, besideIt);
            ASSERT_FALSE(q.figures.empty());
            for (const auto& t : q.figures) {
                const double right = t.at.x + Text_Width_Estimate(t.text, t.height);
                if (besideIt)
                    EXPECT_GE(t.at.x, q.outline.x1 + 8 - 1e-9) << t.text;
                else
                    EXPECT_LE(t.at.y + t.height, q.outline.y0 - 8 + 1e-9) << t.text;
                EXPECT_LE(right, q.frame.x1 + 1e-9);
                EXPECT_GE(t.at.y - 0.3 * t.height, q.frame.y0 - 1e-9);
                EXPECT_LE(t.at.y + t.height, q.frame.y1 + 1e-9);
            }
            // Lines of the block do not run into each other.
            for (size_t i = 1; i < q.figures.size(); ++i)
                EXPECT_LT(q.figures[i].at.y + q.figures[i].height,
                          q.figures[i - 1].at.y - 0.3 * q.figures[i - 1].height);
        }
        // The name on the piece lies between the ends, clear of the marks.
        ASSERT_EQ(p.texts.size(), 1u);
        for (const auto& t : p.texts) {
            EXPECT_EQ(t.anchor, Text_Anchor::Centre);
            const double r = std::hypot(t.at.x, t.at.y);
            EXPECT_GT(r - t.height, p.rInner) << t.text;
            EXPECT_LT(r + t.height, p.rOuter) << t.text;
        }
    }
}

TEST(ChamberSections, TwoAndThreeStageSectionsInOrder) {
    DsnResult r;
    r.Diam = {44, 60.8f, 88.2f, 109.8f, 25.5f};
    r.Lnth = {61.4f, 223.8f, 148.9f, 74.9f, 89.5f, 195.3f, 195.3f};

    struct Row {
        const char* name;
        const char* role;
        bool cone;
        int from, to;
    };
    const std::vector<Row> three = {
        {"L1", "header", false, 0, 0},          {"L2", "diffuser stage 1", true, 0, 1},
        {"L3", "diffuser stage 2", true, 1, 2}, {"L4", "diffuser stage 3", true, 2, 3},
        {"L5", "belly", false, 3, 3},           {"L6", "rear cone", true, 3, 4},
        {"L7", "tail pipe", false, 4, 4}};
    const std::vector<Row> two = {
        {"L1", "header", false, 0, 0},          {"L2", "diffuser stage 1", true, 0, 1},
        {"L3", "diffuser stage 2", true, 1, 2}, {"L4", "belly", false, 2, 2},
        {"L5", "rear cone", true, 2, 3},        {"L6", "tail pipe", false, 3, 3}};
    for (bool threeStage : {false, true}) {
        const auto& want = threeStage ? three : two;
        const auto got = Chamber_Sections(threeStage, r);
        ASSERT_EQ(got.size(), want.size());
        for (size_t j = 0; j < want.size(); ++j) {
            EXPECT_EQ(got[j].name, want[j].name);
            EXPECT_EQ(got[j].role, want[j].role);
            EXPECT_EQ(got[j].cone, want[j].cone);
            EXPECT_EQ(got[j].insideIn, r.Diam[want[j].from]) << want[j].name;
            EXPECT_EQ(got[j].insideOut, r.Diam[want[j].to]) << want[j].name;
            EXPECT_EQ(got[j].diamIn, "D" + std::to_string(want[j].from + 1));
            EXPECT_EQ(got[j].diamOut, "D" + std::to_string(want[j].to + 1));
            EXPECT_EQ(got[j].length, r.Lnth[j]);
        }
    }
}

TEST(ChamberSections, RearConeHasItsLargeEndAtTheBelly) {
    DsnResult r;
    r.Diam = {44, 67.6f, 100, 26, 0};
    r.Lnth = {62.6f, 338.5f, 115.6f, 90.8f, 198.2f, 198.2f, 0};
    const auto pieces = Develop_Chamber(Chamber_Sections(false, r), Pattern_Options{});
    ASSERT_EQ(pieces.size(), 6u);
    const Flat_Piece& rear = pieces[4];
    EXPECT_EQ(rear.section, "L5");
    EXPECT_TRUE(rear.largeEndIn);
    EXPECT_FLOAT_EQ(rear.insideLarge, 100);
    EXPECT_FLOAT_EQ(rear.insideSmall, 26);
    EXPECT_FALSE(pieces[1].largeEndIn);
}

TEST(PatternOptions, RangesAreClosed) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double sheet, seam;
        int pieces;
        bool ok;
    };
    const Case cases[] = {
        {1.0, 0, 1, true},   {0.3, 0, 1, true},     {3.0, 20, 4, true},    {0.29, 0, 1, false},
        {3.01, 0, 1, false}, {1.0, -0.1, 1, false}, {1.0, 20.1, 1, false}, {1.0, 0, 0, false},
        {1.0, 0, 5, false},  {nan, 0, 1, false},    {1.0, nan, 1, false},
    };
    for (const auto& c : cases) {
        const std::string why = Check_Pattern_Options({c.sheet, c.seam, c.pieces});
        EXPECT_EQ(why.empty(), c.ok) << c.sheet << " " << c.seam << " " << c.pieces << ": " << why;
    }
}

} // namespace
