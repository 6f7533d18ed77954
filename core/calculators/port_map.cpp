#include "core/calculators/port_map.h"

#include "core/fields/display_format.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"
#include "core/fields/vocabulary.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double Deg = Pi / 180.0;

// Adaptive Simpson on [a, b], to an absolute tolerance.
template <typename F>
double Simpson(const F& f, double a, double fa, double m, double fm, double b, double fb,
               double whole, double tolerance, int depth) {
    const double lm = (a + m) / 2, rm = (m + b) / 2;
    const double flm = f(lm), frm = f(rm);
    const double left = (m - a) / 6 * (fa + 4 * flm + fm);
    const double right = (b - m) / 6 * (fm + 4 * frm + fb);
    const double delta = left + right - whole;
    if (depth <= 0 || std::fabs(delta) <= 15 * tolerance)
        return left + right + delta / 15;
    return Simpson(f, a, fa, lm, flm, m, fm, left, tolerance / 2, depth - 1) +
           Simpson(f, m, fm, rm, frm, b, fb, right, tolerance / 2, depth - 1);
}

template <typename F> double Integrate(const F& f, double a, double b, double tolerance) {
    if (!(b > a))
        return 0;
    const double m = (a + b) / 2;
    const double fa = f(a), fm = f(m), fb = f(b);
    return Simpson(f, a, fa, m, fm, b, fb, (b - a) / 6 * (fa + 4 * fm + fb), tolerance, 40);
}

} // namespace

double Crank::Drop(double deg) const {
    const double a = deg * Deg;
    const double s = radius * std::sin(a);
    return radius * (1 - std::cos(a)) + rod - std::sqrt(rod * rod - s * s);
}

double Crank::Angle_At(double drop) const {
    // The crank centre, the crank pin and the gudgeon pin make a triangle whose third side,
    // from the crank centre to the gudgeon pin, is rod + radius - drop.
    const double k = rod + radius - std::clamp(drop, 0.0, 2 * radius);
    const double c = (k * k + radius * radius - rod * rod) / (2 * k * radius);
    return std::acos(std::clamp(c, -1.0, 1.0)) / Deg;
}

double Corner_Area(double r, double h) {
    if (!(r > 0) || !(h > 0))
        return 0;
    const double m = std::min(h, r);
    // With u = r - y the corner's edge is sqrt(r^2 - u^2); its integral from u to r is
    // pi r^2 / 4 - F(u), F the quarter circle's area up to u.
    const double u = r - m;
    const double below =
        (u * std::sqrt(std::max(0.0, r * r - u * u)) + r * r * std::asin(u / r)) / 2;
    return r * m - (Pi * r * r / 4 - below);
}

double Open_Area(const Port_Shape& port, double h) {
    if (!(h > 0))
        return 0;
    return port.width * h - 2 * Corner_Area(port.radius, h);
}

double Angle_Area(const Crank& crank, const Port_Shape& port, double from, double to) {
    const double open = port.opens, shut = 360 - port.opens;
    const double a = std::max(from, open), b = std::min(to, shut);
    if (!(b > a))
        return 0;
    const double roof = crank.Drop(open);
    const auto area = [&](double deg) { return Open_Area(port, crank.Drop(deg) - roof); };
    // The integrand is smooth between the opening, the angles where the crown passes the
    // corners' ends, and BDC: integrate piece by piece.
    std::vector<double> cuts = {a, b, 180.0};
    if (port.radius > 0 && roof + port.radius < 2 * crank.radius) {
        const double corner = crank.Angle_At(roof + port.radius);
        cuts.push_back(corner);
        cuts.push_back(360 - corner);
    }
    std::sort(cuts.begin(), cuts.end());
    const double scale = port.width * 2 * crank.radius * (b - a);
    double sum = 0;
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double lo = std::max(a, cuts[i]), hi = std::min(b, cuts[i + 1]);
        sum += Integrate(area, lo, hi, 1e-10 * scale);
    }
    return port.count * sum;
}

double Roof_Height(const Engine& engine, double opens) {
    return engine.deck + Crank{engine.stroke / 2, engine.rod}.Drop(opens);
}

double Opening_Angle(const Engine& engine, double roofHeight) {
    return Crank{engine.stroke / 2, engine.rod}.Angle_At(roofHeight - engine.deck);
}

Port_Map_Figures
Map_Ports(const Engine& engine,
          const std::array<std::optional<Port_Group_Input>, Port_Group_Count>& groups) {
    const Crank crank{engine.stroke / 2, engine.rod};
    Port_Map_Figures out;
    out.engine = engine;
    out.groups = groups;
    out.sweptVolume = Pi / 4 * engine.bore * engine.bore * engine.stroke;
    // mm^2 x degrees to mm^2 x s at the engine speed: a degree lasts 1 / (6 N) s.
    const double perDegree = 1 / (6 * engine.rpm);
    // mm^2 x s over mm^3, in s/m.
    const auto specific = [&](double timeArea) { return timeArea / out.sweptVolume * 1e3; };

    for (size_t g = 0; g < groups.size(); ++g) {
        if (!groups[g])
            continue;
        const Port_Shape& s = groups[g]->shape;
        Port_Figures f;
        f.opens = s.opens;
        f.closes = 360 - s.opens;
        f.duration = 360 - 2 * s.opens;
        f.height = engine.deck + crank.Drop(s.opens);
        f.heightAtBdc = 2 * crank.radius - crank.Drop(s.opens);
        f.angleArea = Angle_Area(crank, s, 0, 360);
        f.timeArea = f.angleArea * perDegree;
        f.specificTimeArea = specific(f.timeArea);
        if (groups[g]->target)
            f.supportedRpm = f.angleArea * 1e3 / (6 * *groups[g]->target * out.sweptVolume);
        out.ports[g] = f;
    }

    std::optional<double> firstTransfer;
    for (Port_Group g : {Port_Group::Transfer1, Port_Group::Transfer2, Port_Group::Transfer3})
        if (const auto& t = groups[static_cast<size_t>(g)])
            firstTransfer = std::min(firstTransfer.value_or(180.0), t->shape.opens);
    const auto& exhaust = groups[static_cast<size_t>(Port_Group::Exhaust)];
    if (firstTransfer && exhaust) {
        Blowdown_Figures b;
        b.angle = *firstTransfer - exhaust->shape.opens;
        b.time = b.angle * perDegree * 1e3;
        for (Port_Group g : {Port_Group::Exhaust, Port_Group::Aux})
            if (const auto& e = groups[static_cast<size_t>(g)])
                b.angleArea += Angle_Area(crank, e->shape, exhaust->shape.opens, *firstTransfer);
        b.timeArea = b.angleArea * perDegree;
        b.specificTimeArea = specific(b.timeArea);
        out.blowdown = b;
    }
    return out;
}

// ---- The checked form ----------------------------------------------------------------

namespace {

std::string Group_Field_Name(size_t group, Port_Column column) {
    static const char* const names[Port_Columns] = {"Count",   "Width",       "Top Radius",
                                                    "Opening", "Roof Height", "Target"};
    return std::string(Port_Group_Words()[group].name) + " " + names[column];
}

// A field's rule in the words of the other calculators, with the range its range text
// states when that names two numbers (the rod's range depends on the stroke: its own check).
Field_Rule Rule(int16_t field, const std::string& name) {
    std::optional<Field_Range> range;
    if (const auto b = Range_Bounds(*Words_Of(Form_Key::Port_Map).At(field)))
        range = Named_Range(name, *b,
                            "Enter a value between " + Format_Number(b->exactLo, "0.####") +
                                " and " + Format_Number(b->exactHi, "0.####"));
    return Named_Rule(field, name, name, range);
}

bool Blank(const std::string& text) {
    return Trim_Blanks(text).empty();
}

} // namespace

Outcome<Port_Map_Figures> Calc_Port_Map(const Port_Map_Inputs& in) {
    Outcome<Port_Map_Figures> out;
    auto fail = [&out](Field_Failure f) {
        out.failure = std::move(f);
        return out;
    };
    const auto& text = in.PortTxt;
    float v = 0;
    Engine e;
    const struct {
        const char* name;
        double Engine::*value;
    } engine[Port_Engine_Fields] = {{"Cylinder Bore", &Engine::bore},
                                    {"Piston Stroke", &Engine::stroke},
                                    {"Connecting Rod Length", &Engine::rod},
                                    {"Deck Height", &Engine::deck},
                                    {"Engine Speed", &Engine::rpm}};
    for (int16_t i = 0; i < Port_Engine_Fields; ++i) {
        const auto n = static_cast<size_t>(i);
        if (i == 3 && Blank(text[n]))
            continue; // no deck height: the crown meets the barrel top
        if (auto f = Check_Field(Rule(i, engine[n].name), text[n], v))
            return fail(*f);
        e.*engine[n].value = Dbl(v);
        if (i == 2 && !(e.rod >= e.stroke && e.rod <= 4 * e.stroke))
            return fail(Fail_At(2, "Connecting Rod Length Out of Range",
                                "Enter a value between the Stroke and 4 x the Stroke"));
    }

    std::array<std::optional<Port_Group_Input>, Port_Group_Count> groups;
    for (size_t g = 0; g < groups.size(); ++g) {
        const auto at = [&](Port_Column c) -> const std::string& {
            return text[static_cast<size_t>(Port_Field(g, c))];
        };
        bool given = g == 0;
        for (int16_t c = 0; c < Port_Columns; ++c)
            given = given || !Blank(at(static_cast<Port_Column>(c)));
        if (!given)
            continue;
        const auto check = [&](Port_Column c) {
            return Check_Field(Rule(Port_Field(g, c), Group_Field_Name(g, c)), at(c), v);
        };
        const std::string name = Port_Group_Words()[g].name;
        Port_Group_Input group;
        if (auto f = check(PortCount))
            return fail(*f);
        if (v != std::floor(v))
            return fail(Fail_At(Port_Field(g, PortCount), name + " Count Not a Whole Number",
                                "Enter a whole number of ports"));
        group.shape.count = static_cast<int>(v);
        if (auto f = check(PortWidth))
            return fail(*f);
        group.shape.width = Dbl(v);
        if (!(group.shape.width > 0 && group.shape.width < e.bore))
            return fail(Fail_At(Port_Field(g, PortWidth), name + " Width Out of Range",
                                "Enter a value more than 0 and less than the Bore"));
        if (auto f = check(PortRadius))
            return fail(*f);
        group.shape.radius = Dbl(v);
        if (!(group.shape.radius >= 0 && 2 * group.shape.radius <= group.shape.width))
            return fail(Fail_At(Port_Field(g, PortRadius), name + " Top Radius Out of Range",
                                "Enter a value between 0 and half the Width"));
        const bool timed = !Blank(at(PortTiming)), placed = !Blank(at(PortHeight));
        if (timed && placed)
            return fail(Fail_At(Port_Field(g, PortHeight), name + " Roof Given Twice",
                                "Enter either the Opening Angle or the Roof Height, not both"));
        if (!timed && !placed) // a Not Set: the field it focuses is (and stays) empty
            return fail(Field_Failure{name + " Opening Not Set",
                                      "Enter the Opening Angle or the Roof Height",
                                      Port_Field(g, PortTiming), true});
        if (timed) {
            if (auto f = check(PortTiming))
                return fail(*f);
            group.shape.opens = Dbl(v);
        } else {
            if (auto f = check(PortHeight))
                return fail(*f);
            if (!(Dbl(v) > e.deck && Dbl(v) < e.deck + e.stroke))
                return fail(Fail_At(Port_Field(g, PortHeight), name + " Roof Height Out of Range",
                                    "Enter a value between the Deck Height and the Deck Height + "
                                    "Stroke"));
            group.shape.opens = Opening_Angle(e, Dbl(v));
        }
        if (!Blank(at(PortTarget))) {
            if (auto f = check(PortTarget))
                return fail(*f);
            group.target = Dbl(v);
        }
        groups[g] = group;
    }
    const double exhaustOpens = groups[0]->shape.opens;
    for (size_t g = static_cast<size_t>(Port_Group::Transfer1); g < groups.size(); ++g)
        if (groups[g] && !(groups[g]->shape.opens > exhaustOpens)) {
            const bool timed = !Blank(text[static_cast<size_t>(Port_Field(g, PortTiming))]);
            return fail(
                Fail_At(Port_Field(g, timed ? PortTiming : PortHeight),
                        std::string(Port_Group_Words()[g].name) + " Open Before the Exhaust",
                        "Transfer ports open after the exhaust port: enter a later "
                        "opening"));
        }
    out.value = Map_Ports(e, groups);
    return out;
}

Design_Engine_Texts Design_Texts_Of(const Port_Map_Figures& m) {
    return {Short_Fixed(m.ports[0]->opens, 2), Short_Fixed(m.engine.rpm, 0)};
}

std::vector<std::string> Port_Map_Lines(const Port_Map_Figures& m) {
    const auto fixed = [](double x, const char* format) { return Format_Number(x, format); };
    std::vector<std::string> lines = {"Swept Volume: " + fixed(m.sweptVolume / 1e3, "0.0") +
                                      " cm3"};
    for (size_t g = 0; g < m.ports.size(); ++g) {
        if (!m.ports[g])
            continue;
        const Port_Figures& p = *m.ports[g];
        lines.push_back(std::string(Port_Group_Words()[g].name) + ": opens " +
                        fixed(p.opens, "0.00") + ", closes " + fixed(p.closes, "0.00") +
                        ", duration " + fixed(p.duration, "0.00") + " deg; roof " +
                        fixed(p.height, "0.00") + " mm below the barrel top, " +
                        fixed(p.heightAtBdc, "0.00") + " mm open at BDC");
        std::string areas = "  angle-area " + fixed(p.angleArea, "0") + " mm2.deg, time-area " +
                            fixed(p.timeArea, "0.000") + " mm2.s, specific time-area " +
                            fixed(p.specificTimeArea, "0.00000") + " s/m";
        if (p.supportedRpm)
            areas += "; the target is met at " + fixed(*p.supportedRpm, "0") + " rpm";
        lines.push_back(areas);
    }
    if (m.blowdown) {
        const Blowdown_Figures& b = *m.blowdown;
        lines.push_back("Blowdown: " + fixed(b.angle, "0.00") + " deg, " + fixed(b.time, "0.000") +
                        " ms; angle-area " + fixed(b.angleArea, "0") + " mm2.deg, time-area " +
                        fixed(b.timeArea, "0.000") + " mm2.s, specific time-area " +
                        fixed(b.specificTimeArea, "0.000000") + " s/m");
    }
    lines.push_back("Ports taken as rectangles with rounded top corners, their floors at or "
                    "below the crown at BDC; published time-area targets differ in how they "
                    "integrate.");
    return lines;
}
