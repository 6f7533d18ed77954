// The port map against a computation of its definitions done another way: the crown's
// position from the crank pin's coordinates, a port's open area by summing its width over
// the open height, and the areas over crank angle by the trapezoid rule on a fine grid.
#include "core/calculators/port_height_calc.h"
#include "core/calculators/port_map.h"
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
        Engine e;
        e.bore = in(40, 100);
        e.stroke = std::clamp(e.bore * in(0.8, 1.2), 20.0, 150.0);
        e.rod = e.stroke * in(1.0, 2.4);
        e.deck = in(0, 2);
        e.rpm = in(4000, 16000);
        std::array<std::optional<Port_Group_Input>, Port_Group_Count> groups;
        const double eo = in(75, 100);
        groups[0] = Port_Group_Input{{1, e.bore * in(0.5, 0.7), 0, eo}, std::nullopt};
        groups[0]->shape.radius = groups[0]->shape.width * in(0, 0.5);
        groups[1] = Port_Group_Input{{2, e.bore * in(0.1, 0.2), 0, eo + in(0, 5)}, std::nullopt};
        groups[1]->shape.radius = groups[1]->shape.width * in(0, 0.5);
        for (size_t g = 2; g < 5; ++g)
            if (run % 4 != 3 || g == 2)
                groups[g] =
                    Port_Group_Input{{2, e.bore * in(0.15, 0.3), 0, in(110, 128)}, in(0.005, 0.02)};
        groups[2]->shape.radius = groups[2]->shape.width * in(0, 0.5);
        const double exhaustRoof = Roof_Height(e, eo);

        const Port_Map_Figures f = Map_Ports(e, groups);
        const Reference crank{e.stroke / 2, e.rod};
        const double swept = Pi_ * e.bore * e.bore / 4 * e.stroke;
        SCOPED_TRACE(run);
        EXPECT_NEAR(exhaustRoof, e.deck + crank.Drop(eo), 1e-9);
        EXPECT_NEAR(Opening_Angle(e, exhaustRoof), eo, 1e-3);
        EXPECT_NEAR(f.sweptVolume, swept, 1e-9 * swept);
        double firstTransfer = 180;
        for (size_t g = 0; g < 5; ++g) {
            ASSERT_EQ(f.ports[g].has_value(), groups[g].has_value());
            if (!groups[g])
                continue;
            const Port_Shape& s = groups[g]->shape;
            const Port_Figures& p = *f.ports[g];
            if (g >= 2)
                firstTransfer = std::min(firstTransfer, s.opens);
            EXPECT_NEAR(p.closes, 360 - s.opens, 1e-9);
            EXPECT_NEAR(p.duration, 360 - 2 * s.opens, 1e-9);
            EXPECT_NEAR(p.height, e.deck + crank.Drop(s.opens), 1e-9);
            EXPECT_NEAR(p.heightAtBdc, crank.Drop(180) - crank.Drop(s.opens), 1e-9);
            const double angleArea = Reference_Angle_Area(crank, s, 0, 360);
            EXPECT_NEAR(p.angleArea, angleArea, 1e-4 * angleArea) << "group " << g;
            const double timeArea = angleArea / (6 * e.rpm);
            EXPECT_NEAR(p.timeArea, timeArea, 1e-4 * timeArea);
            // m^2 x s over m^3
            EXPECT_NEAR(p.specificTimeArea, timeArea * 1e-6 / (swept * 1e-9),
                        1e-4 * p.specificTimeArea);
            ASSERT_EQ(p.supportedRpm.has_value(), groups[g]->target.has_value());
            if (p.supportedRpm) { // the speed at which the target is met exactly
                EXPECT_NEAR(angleArea / (6 * *p.supportedRpm) * 1e-6 / (swept * 1e-9),
                            *groups[g]->target, 1e-4 * *groups[g]->target);
            }
        }
        ASSERT_TRUE(f.blowdown);
        EXPECT_NEAR(f.blowdown->angle, firstTransfer - eo, 1e-9);
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
        char texts[3][32];
        std::snprintf(texts[0], sizeof texts[0], "%.4f", stroke);
        std::snprintf(texts[1], sizeof texts[1], "%.4f", rod);
        std::snprintf(texts[2], sizeof texts[2], "%.4f", opens);
        const Outcome<float> h = Calc_PrtHgt({{texts[0], texts[1], texts[2], "180"}});
        ASSERT_TRUE(h.ok()) << h.failure->title;
        const Engine e{60, std::atof(texts[0]), std::atof(texts[1]), 0, 10000};
        const double atBdc = e.stroke - Roof_Height(e, std::atof(texts[2]));
        EXPECT_NEAR(atBdc, h.value, 2e-4 * h.value) << stroke << " " << rod << " " << opens;
        if (run == 0) {
            EXPECT_EQ(PrtHgt_Result_Text(static_cast<float>(atBdc)), "The Port Height is 26.22 mm");
        }
    }
}

// Each check names its field and keeps or empties it as the other calculators' checks do.
TEST(PortMap, EachCheckNamesItsField) {
    const auto exhaust = [](Port_Column c) { return Port_Field(0, c); };
    const auto aux = [](Port_Column c) { return Port_Field(1, c); };
    const auto main = [](Port_Column c) { return Port_Field(2, c); };
    const struct {
        int16_t field;
        const char* text;
        const char* title;
        int16_t focus;
        bool emptied;
    } cases[] = {
        {0, "", "Cylinder Bore Not Set", 0, true},
        {1, "151", "Piston Stroke Out of Range", 1, false},
        {2, "54", "Connecting Rod Length Out of Range", 2, false},
        {3, "10.5", "Deck Height Out of Range", 3, false},
        {exhaust(PortWidth), "54", "Exhaust Port Width Out of Range", exhaust(PortWidth), false},
        {exhaust(PortRadius), "19.5", "Exhaust Port Top Radius Out of Range", exhaust(PortRadius),
         false},
        {exhaust(PortHeight), "28", "Exhaust Port Roof Given Twice", exhaust(PortHeight), false},
        {exhaust(PortTiming), "", "Exhaust Port Opening Not Set", exhaust(PortTiming), true},
        {aux(PortTarget), "0.01", "Auxiliary Exhaust Ports Count Not Set", aux(PortCount), true},
        {main(PortCount), "2.5", "Main Transfer Ports Count Not a Whole Number", main(PortCount),
         false},
        {main(PortTiming), "85", "Main Transfer Ports Open Before the Exhaust", main(PortTiming),
         false},
        {main(PortTarget), "0.2", "Main Transfer Ports Target Out of Range", main(PortTarget),
         false},
    };
    Port_Map_Inputs base;
    for (const auto& [field, text] :
         std::vector<std::pair<int16_t, const char*>>{{0, "54"},
                                                      {1, "54.5"},
                                                      {2, "110"},
                                                      {4, "12000"},
                                                      {exhaust(PortCount), "1"},
                                                      {exhaust(PortWidth), "38"},
                                                      {exhaust(PortRadius), "6"},
                                                      {exhaust(PortTiming), "85"},
                                                      {main(PortCount), "2"},
                                                      {main(PortWidth), "16"},
                                                      {main(PortRadius), "3"},
                                                      {main(PortTiming), "114"}})
        base.PortTxt[static_cast<size_t>(field)] = text;
    ASSERT_TRUE(Calc_Port_Map(base).ok());
    for (const auto& c : cases) {
        Port_Map_Inputs in = base;
        in.PortTxt[static_cast<size_t>(c.field)] = c.text;
        const auto out = Calc_Port_Map(in);
        ASSERT_FALSE(out.ok()) << c.title;
        EXPECT_EQ(out.failure->title, c.title);
        EXPECT_EQ(out.failure->field, c.focus) << c.title;
        EXPECT_EQ(out.failure->clearField, c.emptied) << c.title;
    }
    // Only the groups given are reported; the blowdown needs a transfer.
    const report::Json j = report::Report_Json(Port_Map_Report(base));
    EXPECT_EQ(j["ports"].size(), 2u);
    EXPECT_TRUE(j["ports"].contains("transfer1"));
    EXPECT_EQ(j["blowdown"]["angle"], 114.0 - 85.0);
    for (int16_t c = 0; c < Port_Columns; ++c)
        base.PortTxt[static_cast<size_t>(main(static_cast<Port_Column>(c)))] = "";
    EXPECT_FALSE(report::Report_Json(Port_Map_Report(base)).contains("blowdown"));
}
