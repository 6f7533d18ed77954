// The port map against a computation of its definitions done another way: the crown's
// position from the crank pin's coordinates, a port's open area by summing its width over
// the open height, and the areas over crank angle by the trapezoid rule on a fine grid.
#include "core/calculators/port_height_calc.h"
#include "core/calculators/port_map.h"
#include "core/calculators/port_map_chart.h"
#include "core/calculators/tool_reports.h"
#include "core/fields/vocabulary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double Pi_ = 3.14159265358979323846;

struct Reference {
    double r, L;
    double Drop(double deg) const {
        const double a = deg * Pi_ / 180;
        const double pinX = r * std::sin(a), pinY = r * std::cos(a);
        const double gudgeon = pinY + std::sqrt(L * L - pinX * pinX);
        return r + L - gudgeon;
    }
    double Angle_At(double drop) const { // bisection on the rising half-turn
        double lo = 0, hi = 180;
        for (int i = 0; i < 100; ++i)
            (Drop((lo + hi) / 2) < drop ? lo : hi) = (lo + hi) / 2;
        return (lo + hi) / 2;
    }
};

// The open area of one port as a function of the open height, tabulated by the midpoint
// sum of the port's width at each depth below its roof.
struct Area_Table {
    double step;
    std::vector<double> cumulative{0};
    Area_Table(double width, double radius, double deepest, int cells = 4000)
        : step(deepest / cells) {
        for (int i = 0; i < cells; ++i) {
            const double y = (i + 0.5) * step;
            const double cut =
                y < radius ? radius - std::sqrt(radius * radius - (radius - y) * (radius - y)) : 0;
            cumulative.push_back(cumulative.back() + (width - 2 * cut) * step);
        }
    }
    double At(double h) const {
        if (h <= 0)
            return 0;
        const double i = std::min(h / step, static_cast<double>(cumulative.size() - 1));
        const size_t k = std::min(static_cast<size_t>(i), cumulative.size() - 2);
        return cumulative[k] + (i - k) * (cumulative[k + 1] - cumulative[k]);
    }
};

double Reference_Angle_Area(const Reference& crank, const Port_Shape& p, double from, double to) {
    const double roof = crank.Drop(p.opens);
    const Area_Table table(p.width, p.radius, 2 * crank.r - roof);
    const double a = std::max(from, p.opens), b = std::min(to, 360 - p.opens);
    const int n = 4000;
    double sum = 0;
    for (int i = 0; i <= n; ++i) {
        const double deg = a + (b - a) * i / n;
        sum += (i == 0 || i == n ? 0.5 : 1) * table.At(crank.Drop(deg) - roof);
    }
    return b > a ? p.count * sum * (b - a) / n : 0;
}

} // namespace

TEST(PortMap, AgreesWithItsDefinitionsOnRandomEngines) {
    std::mt19937 random(20261206);
    auto in = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int run = 0; run < 300; ++run) {
        const double bore = in(40, 100), stroke = std::clamp(bore * in(0.8, 1.2), 20.0, 150.0);
        const Engine e{bore, stroke, stroke * in(1.0, 2.4), in(0, 2), in(4000, 16000)};
        const double eo = in(75, 100);
        // The exhaust, a pair of auxiliary exhausts, and one to three transfer groups.
        const double widths[][2] = {{0.5, 0.7}, {0.1, 0.2}, {0.15, 0.3}, {0.15, 0.3}, {0.15, 0.3}};
        std::array<std::optional<Port_Group_Input>, Port_Group_Count> groups;
        for (size_t g = 0; g < (run % 4 == 3 ? 3 : 5); ++g) {
            const double width = bore * in(widths[g][0], widths[g][1]);
            groups[g] =
                Port_Group_Input{{g ? 2 : 1, width, width * in(0, 0.5),
                                  g == 0   ? eo
                                  : g == 1 ? eo + in(0, 5)
                                           : in(110, 128)},
                                 g >= 2 ? std::optional<double>(in(0.005, 0.02)) : std::nullopt};
        }
        const Port_Map_Figures f = Map_Ports(e, groups);
        const Reference crank{e.stroke / 2, e.rod};
        const double swept = Pi_ * bore * bore / 4 * stroke * 1e-9; // m^3
        SCOPED_TRACE(run);
        EXPECT_NEAR(Roof_Height(e, eo), e.deck + crank.Drop(eo), 1e-9);
        EXPECT_NEAR(Opening_Angle(e, e.deck + crank.Drop(eo)), eo, 1e-3);
        double firstTransfer = 180;
        for (size_t g = 0; g < 5; ++g) {
            ASSERT_EQ(f.ports[g].has_value(), groups[g].has_value());
            if (!groups[g])
                continue;
            const Port_Shape& s = groups[g]->shape;
            const Port_Figures& p = *f.ports[g];
            firstTransfer = g >= 2 ? std::min(firstTransfer, s.opens) : firstTransfer;
            EXPECT_NEAR(p.height, e.deck + crank.Drop(s.opens), 1e-9);
            EXPECT_NEAR(p.heightAtBdc, crank.Drop(180) - crank.Drop(s.opens), 1e-9);
            const double angleArea = Reference_Angle_Area(crank, s, 0, 360);
            EXPECT_NEAR(p.angleArea, angleArea, 1e-4 * angleArea) << "group " << g;
            const double timeArea = angleArea / (6 * e.rpm); // mm^2 x s
            EXPECT_NEAR(p.specificTimeArea, timeArea * 1e-6 / swept, 1e-4 * p.specificTimeArea);
            if (const auto target = groups[g]->target) { // met exactly at the speed found
                EXPECT_NEAR(angleArea / (6 * p.supportedRpm.value()) * 1e-6 / swept, *target,
                            1e-4 * *target);
            }
        }
        ASSERT_TRUE(f.blowdown);
        EXPECT_NEAR(f.blowdown->time, (firstTransfer - eo) / (6 * e.rpm) * 1e3, 1e-9);
        const double blowdown = Reference_Angle_Area(crank, groups[0]->shape, eo, firstTransfer) +
                                Reference_Angle_Area(crank, groups[1]->shape, eo, firstTransfer);
        EXPECT_NEAR(f.blowdown->angleArea, blowdown, 1e-4 * blowdown);
    }
}

// Where the port height calculator applies (its full-open angle at BDC), the crown's travel
// from the opening to BDC is its port height.
TEST(PortMap, OpenHeightAtBdcIsThePortHeightCalculatorsHeight) {
    std::mt19937 random(85);
    auto in = [&random](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int run = 0; run < 300; ++run) {
        const double stroke = run ? in(20, 65) : 54.5, rod = run ? in(stroke, 150) : 110;
        const double opens = run ? in(75, 105) : 85;
        const Outcome<float> h = Calc_PrtHgt(
            {{std::to_string(stroke), std::to_string(rod), std::to_string(opens), "180"}});
        ASSERT_TRUE(h.ok()) << h.failure->title;
        const Engine e{60, std::stod(std::to_string(stroke)), std::stod(std::to_string(rod)), 0, 1};
        const double atBdc = e.stroke - Roof_Height(e, std::stod(std::to_string(opens)));
        EXPECT_NEAR(atBdc, h.value, 2e-4 * h.value) << stroke << " " << rod << " " << opens;
        if (run == 0) {
            EXPECT_EQ(PrtHgt_Result_Text(static_cast<float>(atBdc)), "The Port Height is 26.22 mm");
        }
    }
}

// Each check names its field and keeps or empties it as the other calculators' checks do;
// the report holds the groups given, and the blowdown when a transfer is given.
TEST(PortMap, EachCheckNamesItsField) {
    const struct {
        const char* key;
        const char* text;
        const char* title;
        const char* focus;
        bool emptied;
    } cases[] = {
        {"bore", "", "Cylinder Bore Not Set", "bore", true},
        {"stroke", "151", "Piston Stroke Out of Range", "stroke", false},
        {"rod", "54", "Connecting Rod Length Out of Range", "rod", false},
        {"deck", "10.5", "Deck Height Out of Range", "deck", false},
        {"exhaustWidth", "54", "Exhaust Port Width Out of Range", "exhaustWidth", false},
        {"exhaustRadius", "19.5", "Exhaust Port Top Radius Out of Range", "exhaustRadius", false},
        {"exhaustHeight", "28", "Exhaust Port Roof Given Twice", "exhaustHeight", false},
        {"exhaustTiming", "", "Exhaust Port Opening Not Set", "exhaustTiming", true},
        {"auxTarget", "0.01", "Auxiliary Exhaust Ports Count Not Set", "auxCount", true},
        {"transfer1Count", "2.5", "Main Transfer Ports Count Not a Whole Number", "transfer1Count",
         false},
        {"transfer1Timing", "85", "Main Transfer Ports Open Before the Exhaust", "transfer1Timing",
         false},
        {"transfer1Target", "0.2", "Main Transfer Ports Target Out of Range", "transfer1Target",
         false},
    };
    Form_Entries base;
    base.texts = {{"bore", "54"},           {"stroke", "54.5"},       {"rod", "110"},
                  {"rpm", "12000"},         {"exhaustCount", "1"},    {"exhaustWidth", "38"},
                  {"exhaustRadius", "6"},   {"exhaustTiming", "85"},  {"transfer1Count", "2"},
                  {"transfer1Width", "16"}, {"transfer1Radius", "3"}, {"transfer1Timing", "114"}};
    const Form_Words& words = Words_Of(Form_Key::Port_Map);
    for (const auto& c : cases) {
        Form_Entries in = base;
        in.texts[c.key] = c.text;
        const auto out = Calc_Port_Map(Port_Map_Inputs_Of(in));
        ASSERT_FALSE(out.ok()) << c.title;
        EXPECT_EQ(out.failure->title, c.title);
        EXPECT_STREQ(words.At(out.failure->field)->key, c.focus) << c.title;
        EXPECT_EQ(out.failure->clearField, c.emptied) << c.title;
    }
    const report::Json j = report::Report_Json(Tool_Report(Form_Key::Port_Map, base));
    EXPECT_EQ(j["ports"].size(), 2u);
    EXPECT_EQ(j["blowdown"]["angle"], 114.0 - 85.0);
    for (const char* key :
         {"transfer1Count", "transfer1Width", "transfer1Radius", "transfer1Timing"})
        base.texts.erase(key);
    EXPECT_FALSE(report::Report_Json(Tool_Report(Form_Key::Port_Map, base)).contains("blowdown"));
}

// The chart: a curve per group given, the events in crank order, and the blowdown's
// shading between the exhaust and the transfer opening, under the exhausts' areas.
TEST(PortMap, ChartMarksTheEventsAndShadesTheBlowdown) {
    const Engine e{54, 54.5, 110, 0, 12000};
    std::array<std::optional<Port_Group_Input>, Port_Group_Count> groups;
    groups[0] = Port_Group_Input{{1, 38, 6, 85}, std::nullopt};
    groups[2] = Port_Group_Input{{2, 16, 3, 114}, std::nullopt};
    const Port_Map_Figures m = Map_Ports(e, groups);
    const Open_Area_Chart chart = Chart_Open_Areas(m);
    ASSERT_EQ(chart.curves.size(), 2u);
    std::string events;
    for (const auto& ev : chart.events)
        events += std::string(ev.name) + "@" + std::to_string(static_cast<int>(ev.angle)) + " ";
    EXPECT_EQ(events, "EO@85 TO@114 BDC@180 TC@246 EC@275 ");
    const Crank crank{e.stroke / 2, e.rod};
    EXPECT_NEAR(chart.largest, Open_Area(groups[0]->shape, crank.Drop(180) - crank.Drop(85)), 1e-9);
    ASSERT_GT(chart.blowdown.size(), 3u); // closed along the axis at both ends
    EXPECT_EQ(chart.blowdown.front(), std::make_pair(85.0, 0.0));
    EXPECT_EQ(chart.blowdown.back(), std::make_pair(114.0, 0.0));
    for (size_t i = 1; i + 1 < chart.blowdown.size(); ++i) {
        const auto [angle, area] = chart.blowdown[i];
        EXPECT_TRUE(angle >= 85 && angle <= 114) << angle;
        EXPECT_NEAR(area, Open_Area(groups[0]->shape, crank.Drop(angle) - crank.Drop(85)), 1e-9);
    }
    EXPECT_NE(Open_Area_Chart_Svg(chart).find(">Main Transfer Ports</text>"), std::string::npos);

    // The outlines: every port of every group at its width, its roof at its height, down to
    // the crown at BDC.
    const Port_Outlines o = Outline_Ports(m);
    ASSERT_EQ(o.ports.size(), 3u);
    EXPECT_EQ(o.bdc, 54.5);
    for (const auto& p : o.ports) {
        double left = 1e9, right = -1e9, roof = 1e9;
        for (const auto& [x, y] : p.outline)
            left = std::min(left, x), right = std::max(right, x), roof = std::min(roof, y);
        EXPECT_NEAR(right - left, groups[p.group]->shape.width, 1e-9);
        EXPECT_NEAR(roof, m.ports[p.group]->height, 1e-9);
        EXPECT_EQ(p.outline.front().second, o.bdc);
    }
}
