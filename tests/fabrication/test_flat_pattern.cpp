// The developed cones and rectangles: the figures, and the drawing that the renderers
// take from them, checked against the cone's own geometry.

#include "common/numbers.h"
#include "fabrication/flat_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

Chamber_Section Section(double insideIn, double insideOut, double length, bool cone = true) {
    return {"L2", "diffuser stage 1", cone, "D1", "D2", insideIn, insideOut, length};
}

std::vector<Flat_Piece> Develop(const Chamber_Section& s, double sheet, double seam, int pieces) {
    return Develop_Section(s, Pattern_Options{sheet, seam, pieces});
}

double Rel(double a, double b) {
    return std::fabs(a - b) / std::fabs(b);
}

double Dist(Pt a, Pt b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The line runs from a to b, either way.
bool Joins(const Pattern_Line& l, Pt a, Pt b) {
    return std::min(Dist(l.a, a) + Dist(l.b, b), Dist(l.a, b) + Dist(l.b, a)) < 1e-9;
}

Pt Arc_Point(const Pattern_Arc& a, double angle) {
    return {a.centre.x + a.radius * std::cos(angle), a.centre.y + a.radius * std::sin(angle)};
}

template <typename T> std::vector<T> With_Role(const std::vector<T>& items, Line_Role role) {
    std::vector<T> out;
    std::copy_if(items.begin(), items.end(), std::back_inserter(out),
                 [&](const T& t) { return t.role == role; });
    return out;
}

// The two outline arcs of a sector, the outer first.
std::pair<Pattern_Arc, Pattern_Arc> Outer_Inner(const Flat_Piece& p) {
    auto cut = With_Role(p.arcs, Line_Role::Outline);
    EXPECT_EQ(cut.size(), 2u);
    std::sort(cut.begin(), cut.end(), [](auto& a, auto& b) { return a.radius > b.radius; });
    cut.resize(2);
    return {cut[0], cut[1]};
}

// Every end point of the cut outline is shared by exactly two cut lines or arcs.
void Expect_Closed(const Flat_Piece& p) {
    std::vector<Pt> ends;
    for (const auto& l : With_Role(p.lines, Line_Role::Outline))
        ends.insert(ends.end(), {l.a, l.b});
    for (const auto& a : With_Role(p.arcs, Line_Role::Outline))
        ends.insert(ends.end(), {Arc_Point(a, a.start), Arc_Point(a, a.end)});
    for (const Pt& e : ends)
        EXPECT_EQ(std::count_if(ends.begin(), ends.end(), [&](Pt f) { return Dist(e, f) < 1e-9; }),
                  2)
            << p.section << " at " << e.x << "," << e.y;
}

// With a seam allowance one straight edge becomes the etched seam line, and the cut line
// `seam` further out runs parallel to it, as long; without one there is no seam line.
void Expect_Seam_Strip(const Flat_Piece& p, double seam) {
    const auto seams = With_Role(p.lines, Line_Role::SeamLine);
    const auto cut = With_Role(p.lines, Line_Role::Outline);
    ASSERT_EQ(seams.size(), seam > 0 ? 1u : 0u);
    for (const Pattern_Line& s : seams) {
        const double k = seam / Dist(s.a, s.b); // outward: to the right, going from a to b
        const Pt n{(s.b.y - s.a.y) * k, (s.a.x - s.b.x) * k};
        const Pt a{s.a.x + n.x, s.a.y + n.y}, b{s.b.x + n.x, s.b.y + n.y};
        EXPECT_EQ(std::count_if(cut.begin(), cut.end(), [&](auto& l) { return Joins(l, a, b); }),
                  1);
    }
}

// The worked cone's hand figures; for every piece the drawn arcs have the lengths of the
// rolled ends, the straight edges are the slant, the outline is closed, and the pieces of a
// split cone add up to the whole.
TEST(ConePattern, EveryPieceHasTheRolledConesArcsAndSlant) {
    // Mean diameters 40 and 100: inside 39 and 99 with a 1 mm sheet.
    const Flat_Piece worked = Develop(Section(39, 99, 200), 1.0, 0, 1).at(0);
    EXPECT_NEAR(worked.slant, 202.24, 0.005);
    EXPECT_NEAR(worked.rOuter, 337.06, 0.005);
    EXPECT_NEAR(worked.rInner, 134.82, 0.01);
    EXPECT_NEAR(worked.coneAngle * 180 / Pi, 53.40, 0.005);
    EXPECT_NEAR(worked.chordOuter, 302.91, 0.005);
    EXPECT_NEAR(worked.chordInner, 121.16, 0.005);
    const struct {
        double insideIn, insideOut, length, sheet, seam;
        int pieces;
    } cases[] = {{39, 99, 200, 1.0, 0, 1},        {44, 60.8, 223.8, 1.0, 0, 1},
                 {60.8, 88.2, 148.9, 0.3, 5, 2},  {88.2, 109.8, 74.9, 3.0, 20, 3},
                 {109.8, 25.5, 195.3, 1.5, 0, 4}, // rear cone: large end first
                 {10, 200, 5, 1.0, 0, 1},         // short and wide: sweep > pi
                 {10, 200, 5, 1.0, 3, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.insideIn << " " << c.insideOut << " x" << c.pieces << " seam " << c.seam);
        const auto pieces =
            Develop(Section(c.insideIn, c.insideOut, c.length), c.sheet, c.seam, c.pieces);
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
            EXPECT_LT(Rel(p.rOuter - p.rInner, slant), 1e-9);
            // Both straight edges join the arcs' ends at one angle.
            int edges = 0;
            for (const auto& l : p.lines)
                for (double a : {oa.start, oa.end})
                    edges +=
                        l.role != Line_Role::Mark && Joins(l, Arc_Point(ia, a), Arc_Point(oa, a));
            EXPECT_EQ(edges, 2);
            Expect_Closed(p);
            Expect_Seam_Strip(p, c.seam);
            sweep += p.angle;
            outer += oa.length();
            inner += ia.length();
        }
        EXPECT_LT(Rel(sweep, pieces[0].coneAngle), 1e-12);
        EXPECT_LT(Rel(outer, Pi * D), 1e-9);
        EXPECT_LT(Rel(inner, Pi * d), 1e-9);
    }
}

// A cone with equal ends splits into rectangles; a parallel section stays whole and may be
// cut from tube.
TEST(ConePattern, EqualEndsAndParallelSectionsAreRectangles) {
    for (bool cone : {false, true}) {
        const auto pieces = Develop(Section(60, 60, 100, cone), 1.0, 4, 3);
        ASSERT_EQ(pieces.size(), cone ? 3u : 1u);
        double width = 0;
        for (const auto& p : pieces) {
            EXPECT_FALSE(p.sector);
            EXPECT_EQ(p.fromTube, !cone);
            EXPECT_NEAR(p.outline.width(), p.rectWidth + 4, 1e-9);
            EXPECT_NEAR(p.outline.height(), 100, 1e-9);
            Expect_Closed(p);
            Expect_Seam_Strip(p, 4);
            width += p.rectWidth;
        }
        EXPECT_LT(Rel(width, Pi * 61), 1e-12) << cone;
    }
}

// Alignment marks: radial ticks on both ends, at the quarters of the whole circumference
// that fall inside the piece and at the piece's middle (fractions from its left edge).
TEST(ConePattern, AlignmentMarksAtTheQuartersOnBothEnds) {
    const struct {
        int pieces, index;
        std::vector<double> fractions;
    } cases[] = {{1, 1, {0.25, 0.5, 0.75}}, {2, 1, {0.5}}, {3, 1, {0.5, 0.75}}, {3, 2, {0.5}},
                 {3, 3, {0.25, 0.5}},       {4, 4, {0.5}}};
    for (const auto& c : cases) {
        const Flat_Piece p = Develop(Section(40, 90, 150), 1.0, 0, c.pieces)[c.index - 1];
        const auto [oa, ia] = Outer_Inner(p);
        std::vector<double> marks[3]; // on the outer end, the inner end, elsewhere
        for (const auto& l : With_Role(p.lines, Line_Role::Mark)) {
            const double a = std::atan2(l.a.y, l.a.x), r = std::hypot(l.a.x, l.a.y);
            EXPECT_NEAR(a, std::atan2(l.b.y, l.b.x), 1e-12);
            marks[std::fabs(r - oa.radius) < 1e-9 ? 0 : 1 + (std::fabs(r - ia.radius) >= 1e-9)]
                .push_back(std::round(1e6 * (oa.end - a) / (oa.end - oa.start)) / 1e6);
        }
        EXPECT_EQ(marks[0], c.fractions) << c.pieces << "/" << c.index;
        EXPECT_EQ(marks[1], c.fractions) << c.pieces << "/" << c.index;
        EXPECT_TRUE(marks[2].empty());
    }
}

bool Inside(const Box& b, Pt q) {
    return q.x >= b.x0 - 1e-9 && q.x <= b.x1 + 1e-9 && q.y >= b.y0 - 1e-9 && q.y <= b.y1 + 1e-9;
}

// The outline box holds every drawn point and is reached on all sides, also for sectors
// wider than a half circle; the figure block lies 8 mm beneath or beside it, inside the
// frame, its lines clear of each other; the name lies between the ends.
TEST(ConePattern, OutlineBoxIsTightAndFiguresStayOutsideIt) {
    for (const Chamber_Section& s : {Section(44, 60.8, 223.8), Section(10, 200, 5),
                                     Section(109.8, 25.5, 195.3), Section(20, 24, 300)}) {
        const Flat_Piece p = Develop(s, 1.0, 4, 1)[0];
        const double inf = std::numeric_limits<double>::infinity();
        Box seen{inf, inf, -inf, -inf};
        auto see = [&](Pt q) {
            EXPECT_TRUE(Inside(p.outline, q)) << q.x << "," << q.y;
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

        for (bool beside : {false, true}) {
            Flat_Piece q = p;
            Place_Figure_Block(q, beside);
            ASSERT_FALSE(q.figures.empty());
            double previousFoot = inf;
            for (const Pattern_Text& t : q.figures) {
                EXPECT_TRUE(beside ? t.at.x >= q.outline.x1 + 8 - 1e-9
                                   : t.at.y + t.height <= q.outline.y0 - 8 + 1e-9)
                    << t.text;
                EXPECT_TRUE(Inside(
                    q.frame, {t.at.x + Text_Width_Estimate(t.text, t.height), t.at.y + t.height}));
                EXPECT_TRUE(Inside(q.frame, {t.at.x, t.at.y - 0.3 * t.height}));
                EXPECT_LT(t.at.y + t.height, previousFoot) << t.text;
                previousFoot = t.at.y - 0.3 * t.height;
            }
        }
        ASSERT_EQ(p.texts.size(), 1u);
        const double r = std::hypot(p.texts[0].at.x, p.texts[0].at.y);
        EXPECT_GT(r - p.texts[0].height, p.rInner);
        EXPECT_LT(r + p.texts[0].height, p.rOuter);
    }
}

// The sections in order, each with its end diameters and length; developed, the rear cone
// has its large end at the belly.
TEST(ChamberSections, TwoAndThreeStageSectionsInOrder) {
    DsnResult r;
    r.Diam = {44, 60.8f, 88.2f, 109.8f, 25.5f};
    r.Lnth = {61.4f, 223.8f, 148.9f, 74.9f, 89.5f, 195.3f, 195.3f};
    const std::string two = "L1 header D1-D1, L2 diffuser stage 1 D1-D2, L3 diffuser stage 2 "
                            "D2-D3, L4 belly D3-D3, L5 rear cone D3-D4, L6 tail pipe D4-D4, ";
    const std::string three = "L1 header D1-D1, L2 diffuser stage 1 D1-D2, L3 diffuser stage 2 "
                              "D2-D3, L4 diffuser stage 3 D3-D4, L5 belly D4-D4, L6 rear cone "
                              "D4-D5, L7 tail pipe D5-D5, ";
    for (bool threeStage : {false, true}) {
        const auto got = Chamber_Sections(threeStage, r);
        std::string names;
        for (size_t j = 0; j < got.size(); ++j) {
            const Chamber_Section& s = got[j];
            names += s.name + " " + s.role + " " + s.diamIn + "-" + s.diamOut + ", ";
            EXPECT_EQ(s.cone, s.diamIn != s.diamOut) << s.name;
            EXPECT_EQ(s.insideIn, r.Diam[std::stoi(s.diamIn.substr(1)) - 1]) << s.name;
            EXPECT_EQ(s.insideOut, r.Diam[std::stoi(s.diamOut.substr(1)) - 1]) << s.name;
            EXPECT_EQ(s.length, r.Lnth[j]) << s.name;
        }
        EXPECT_EQ(names, threeStage ? three : two);
    }
    const auto pieces = Develop_Chamber(Chamber_Sections(true, r), Pattern_Options{});
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_TRUE(pieces[5].largeEndIn);
    EXPECT_FLOAT_EQ(pieces[5].insideLarge, 109.8f);
    EXPECT_FLOAT_EQ(pieces[5].insideSmall, 25.5f);
    EXPECT_FALSE(pieces[1].largeEndIn);
}

TEST(PatternOptions, RangesAreClosed) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Pattern_Options valid[] = {{0.3, 0, 1}, {3.0, 20, 4}};
    const Pattern_Options invalid[] = {{0.29, 0, 1}, {3.01, 0, 1}, {1.0, -0.1, 1}, {1.0, 20.1, 1},
                                       {1.0, 0, 0},  {1.0, 0, 5},  {nan, 0, 1},    {1.0, nan, 1}};
    for (const auto& o : valid)
        EXPECT_EQ(Check_Pattern_Options(o), "") << o.sheet << " " << o.seam << " " << o.pieces;
    for (const auto& o : invalid)
        EXPECT_NE(Check_Pattern_Options(o), "") << o.sheet << " " << o.seam << " " << o.pieces;
}

} // namespace
