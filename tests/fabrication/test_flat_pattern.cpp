// The developed cones and rectangles: the figures, and the drawing that the renderers
// take from them, checked against the cone's own geometry.

#include "core/fields/numbers.h"
#include "core/patterns/flat_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

Chamber_Section Section(double insideIn, double insideOut, double length, bool cone = true) {
    return {"L2", "diffuser stage 1", cone, "D1", "D2", insideIn, insideOut, length};
}

Pt Arc_Point(const Pattern_Arc& a, double angle) {
    return {a.centre.x + a.radius * std::cos(angle), a.centre.y + a.radius * std::sin(angle)};
}

// The two outline arcs of a sector, the outer first.
std::pair<Pattern_Arc, Pattern_Arc> Outer_Inner(const Flat_Piece& p) {
    std::vector<Pattern_Arc> cut;
    std::copy_if(p.arcs.begin(), p.arcs.end(), std::back_inserter(cut),
                 [](auto& a) { return a.role == Line_Role::Outline; });
    EXPECT_EQ(cut.size(), 2u);
    std::sort(cut.begin(), cut.end(), [](auto& a, auto& b) { return a.radius > b.radius; });
    cut.resize(2);
    return {cut[0], cut[1]};
}

// The worked cone's hand figures; the pieces of a split cone add up to the whole, with the
// rolled ends' lengths, their outline closed: every end point shared by two cut lines or arcs.
TEST(ConePattern, WorkedConeAndSplitConesAddUpToTheWhole) {
    const Flat_Piece w =
        Develop_Section(Section(39, 99, 200), {1.0, 0, 1}).at(0); // mean 40 and 100
    const double got[] = {w.slant,      w.rOuter,    w.rInner, w.coneAngle * 180 / Pi,
                          w.chordOuter, w.chordInner};
    const double want[] = {202.24, 337.06, 134.82, 53.40, 302.91, 121.16};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(got[i], want[i], i == 2 ? 0.01 : 0.005) << i;
    for (int pieces : {2, 3, 4}) {
        double sweep = 0, outer = 0, inner = 0;
        for (const auto& p : Develop_Section(Section(109.8, 25.5, 195.3), {1.5, 5, pieces})) {
            const auto [oa, ia] = Outer_Inner(p);
            sweep += p.angle, outer += oa.length(), inner += ia.length();
            std::vector<Pt> ends;
            for (const auto& l : p.lines)
                if (l.role == Line_Role::Outline)
                    ends.insert(ends.end(), {l.a, l.b});
            for (const auto& a : {oa, ia})
                ends.insert(ends.end(), {Arc_Point(a, a.start), Arc_Point(a, a.end)});
            for (const Pt& e : ends)
                EXPECT_EQ(
                    std::count_if(ends.begin(), ends.end(),
                                  [&](Pt f) { return std::hypot(e.x - f.x, e.y - f.y) < 1e-9; }),
                    2);
        }
        EXPECT_NEAR(sweep, Develop_Section(Section(109.8, 25.5, 195.3), {1.5, 5, 1})[0].angle,
                    1e-12);
        EXPECT_NEAR(outer, Pi * 111.3, 1e-9);
        EXPECT_NEAR(inner, Pi * 27, 1e-9);
    }
}

bool Inside(const Box& b, Pt q) {
    return q.x >= b.x0 - 1e-9 && q.x <= b.x1 + 1e-9 && q.y >= b.y0 - 1e-9 && q.y <= b.y1 + 1e-9;
}

// The figure block lies 8 mm beneath or beside the outline box, also for sectors wider than
// a half circle, inside the frame, its lines clear of each other.
TEST(ConePattern, FiguresStayOutsideTheOutline) {
    for (const Chamber_Section& s : {Section(44, 60.8, 223.8), Section(10, 200, 5),
                                     Section(109.8, 25.5, 195.3), Section(20, 24, 300)}) {
        const Flat_Piece p = Develop_Section(s, {1.0, 4, 1})[0];
        for (bool beside : {false, true}) {
            Flat_Piece q = p;
            Place_Figure_Block(q, beside);
            ASSERT_FALSE(q.figures.empty());
            double previousFoot = 1e300;
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
    EXPECT_TRUE(pieces[5].largeEndIn && !pieces[1].largeEndIn);
    EXPECT_FLOAT_EQ(pieces[5].insideLarge, 109.8f);
    EXPECT_FLOAT_EQ(pieces[5].insideSmall, 25.5f);
}

} // namespace
