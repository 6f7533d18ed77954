#include "core/calculators/port_map_chart.h"

#include "core/fields/display_format.h"
#include "core/fields/numbers.h"
#include "core/fields/vocabulary.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Step = 0.5; // degrees between the points of a curve

double Group_Area(const Port_Map_Figures& m, size_t g, double angle) {
    const Port_Shape& s = m.groups[g]->shape;
    if (angle < s.opens || angle > 360 - s.opens)
        return 0;
    const Crank crank{m.engine.stroke / 2, m.engine.rod};
    return s.count * Open_Area(s, crank.Drop(angle) - crank.Drop(s.opens));
}

// The plot in SVG user units: the axes' box and the scales.
constexpr double Left = 62, Top = 28, Width = 560, Height = 200;
constexpr const char* Colours[Port_Group_Count] = {"#b03a2e", "#ca6f1e", "#1f618d", "#117864",
                                                   "#6c3483"};

std::string Num(double v) {
    return Short_Fixed(v, 1);
}

// The legend: a swatch and the name of each group, in rows no wider than `width`, from
// (left, top) in the picture's units at the given font size; returns the next row's top.
std::string Legend(const std::vector<size_t>& groups, double left, double top, double width,
                   double font, double& bottom) {
    std::string s;
    double at = left;
    for (size_t g : groups) {
        const std::string name = Port_Group_Words()[g].name;
        const double wide = font * (2.2 + 0.54 * static_cast<double>(name.size()));
        if (at + wide > left + width && at > left)
            at = left, top += font * 1.5;
        s += "<rect x=\"" + Num(at) + "\" y=\"" + Num(top - font * 0.5) + "\" width=\"" +
             Num(font * 1.2) + "\" height=\"" + Num(font / 3) + "\" fill=\"" + Colours[g] +
             "\"/><text x=\"" + Num(at + font * 1.5) + "\" y=\"" + Num(top) +
             "\" text-anchor=\"start\">" + name + "</text>";
        at += wide;
    }
    bottom = top + font * 0.5;
    return s;
}

} // namespace

const char* Port_Group_Colour(size_t group) {
    return Colours[group];
}

Open_Area_Chart Chart_Open_Areas(const Port_Map_Figures& m) {
    Open_Area_Chart chart;
    for (size_t g = 0; g < m.groups.size(); ++g) {
        if (!m.groups[g])
            continue;
        Open_Area_Chart::Curve curve{g, {}};
        for (double angle = 0; angle <= 360; angle += Step) {
            curve.points.emplace_back(angle, Group_Area(m, g, angle));
            chart.largest = std::max(chart.largest, curve.points.back().second);
        }
        chart.curves.push_back(std::move(curve));
    }
    const Port_Shape& exhaust = m.groups[0]->shape;
    chart.events.push_back({"EO", exhaust.opens});
    if (m.blowdown) {
        const double to = exhaust.opens + m.blowdown->angle;
        chart.events.push_back({"TO", to});
        chart.blowdown.emplace_back(exhaust.opens, 0);
        for (double angle = exhaust.opens; angle < to + Step; angle += Step) {
            const double at = std::min(angle, to);
            chart.blowdown.emplace_back(at, Group_Area(m, 0, at) +
                                                (m.groups[1] ? Group_Area(m, 1, at) : 0));
        }
        chart.blowdown.emplace_back(to, 0);
        chart.events.push_back({"BDC", 180});
        chart.events.push_back({"TC", 360 - to});
    } else {
        chart.events.push_back({"BDC", 180});
    }
    chart.events.push_back({"EC", 360 - exhaust.opens});
    return chart;
}

std::string Open_Area_Chart_Svg(const Open_Area_Chart& chart) {
    const double top = chart.largest > 0 ? chart.largest : 1;
    const auto x = [](double angle) { return Num(Left + Width * angle / 360); };
    const auto y = [top](double area) { return Num(Top + Height * (1 - area / top)); };
    const auto path = [&](const Open_Area_Chart::Points& points) {
        std::string d;
        for (const auto& [angle, area] : points)
            d += (d.empty() ? "M" : " L") + x(angle) + " " + y(area);
        return d;
    };
    std::string s =
        "<svg class=\"port-chart\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
        Num(Left + Width + 20) + " " + Num(Top + Height + 76) +
        "\" role=\"img\" aria-labelledby=\"port-chart-title\">"
        "<title id=\"port-chart-title\">Open area of each port group against crank "
        "angle</title><rect class=\"port-chart-back\" width=\"100%\" height=\"100%\" "
        "fill=\"#ffffff\"/>";
    if (!chart.blowdown.empty())
        s += "<path d=\"" + path(chart.blowdown) + " Z\" fill=\"#b03a2e\" fill-opacity=\"0.25\"/>";
    s += "<g fill=\"none\" stroke-width=\"2\">";
    for (const auto& c : chart.curves)
        s += "<path d=\"" + path(c.points) + "\" stroke=\"" + Colours[c.group] + "\"/>";
    s += "</g><g stroke=\"#000000\" fill=\"none\"><rect x=\"" + Num(Left) + "\" y=\"" + Num(Top) +
         "\" width=\"" + Num(Width) + "\" height=\"" + Num(Height) + "\"/>";
    for (const auto& e : chart.events)
        s += "<line x1=\"" + x(e.angle) + "\" y1=\"" + Num(Top) + "\" x2=\"" + x(e.angle) +
             "\" y2=\"" + Num(Top + Height) + "\" stroke-dasharray=\"4 3\"/>";
    s += "</g><g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\" "
         "text-anchor=\"middle\">";
    for (const auto& e : chart.events)
        s += "<text x=\"" + x(e.angle) + "\" y=\"" + Num(Top - 8) + "\">" + e.name + "</text>";
    for (int angle = 0; angle <= 360; angle += 90)
        s += "<text x=\"" + x(angle) + "\" y=\"" + Num(Top + Height + 16) + "\">" +
             std::to_string(angle) + "</text>";
    s += "<text x=\"" + Num(Left + Width / 2) + "\" y=\"" + Num(Top + Height + 32) +
         "\">crank angle (degrees after TDC)</text>";
    s += "<text x=\"" + Num(Left - 6) + "\" y=\"" + Num(Top + 4) + "\" text-anchor=\"end\">" +
         Short_Fixed(top, 0) + "</text><text x=\"" + Num(Left - 6) + "\" y=\"" + Num(Top + Height) +
         "\" text-anchor=\"end\">0</text><text x=\"" + Num(Left - 6) + "\" y=\"" +
         Num(Top + Height / 2) + "\" text-anchor=\"end\">mm²</text>";
    std::vector<size_t> groups;
    for (const auto& c : chart.curves)
        groups.push_back(c.group);
    double bottom = 0;
    s += Legend(groups, Left, Top + Height + 50, Width, 12, bottom);
    return s + "</g></svg>";
}

Port_Outlines Outline_Ports(const Port_Map_Figures& m) {
    constexpr double Port_Gap = 3, Group_Gap = 8, Arc_Steps = 8;
    Port_Outlines out;
    out.deck = m.engine.deck;
    out.bdc = m.engine.deck + m.engine.stroke;
    double at = 0;
    for (size_t g = 0; g < m.groups.size(); ++g) {
        if (!m.groups[g] || !m.ports[g])
            continue;
        const Port_Shape& s = m.groups[g]->shape;
        const double roof = m.ports[g]->height, r = s.radius;
        for (int i = 0; i < s.count; ++i) {
            Port_Outlines::Points p = {{at, out.bdc}};
            // The two top corners, a quarter circle each, from the left side over to the right.
            for (int corner = 0; corner < 2; ++corner) {
                const double cx = corner ? at + s.width - r : at + r;
                for (int k = 0; k <= Arc_Steps; ++k) {
                    const double a = Pi * (1 - (corner + k / Arc_Steps) / 2);
                    p.emplace_back(cx + r * std::cos(a), roof + r - r * std::sin(a));
                }
            }
            p.emplace_back(at + s.width, out.bdc);
            out.ports.push_back({g, std::move(p)});
            at += s.width + Port_Gap;
        }
        at += Group_Gap - Port_Gap;
    }
    out.width = std::max(0.0, at - Group_Gap);
    return out;
}

std::string Port_Outlines_Svg(const Port_Outlines& o) {
    // Millimetres; the scale grows with the row so that the labels keep their size on screen.
    const double font = std::max(3.0, o.width / 40), margin = font * 10;
    const double left = font, right = o.width + font + margin;
    std::vector<size_t> groups;
    for (const auto& p : o.ports)
        if (groups.empty() || groups.back() != p.group)
            groups.push_back(p.group);
    double legendBottom = 0;
    const std::string legend =
        Legend(groups, left, o.bdc + font * 3, right - left, font, legendBottom);
    std::string s =
        "<svg class=\"port-outlines\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 " +
        Num(-font * 2) + " " + Num(right + font) + " " + Num(legendBottom + font * 3) +
        "\" role=\"img\" aria-labelledby=\"port-outlines-title\">"
        "<title id=\"port-outlines-title\">The ports at their widths and roof heights, "
        "side by side (not at their places around the bore)</title>"
        "<rect class=\"port-outlines-back\" x=\"0\" y=\"" +
        Num(-font * 2) + "\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>";
    s += "<g stroke=\"#000000\" stroke-width=\"" + Num(font / 12) + "\">";
    for (const auto& p : o.ports) {
        std::string d;
        for (const auto& [x, y] : p.outline)
            d += (d.empty() ? "M" : " L") + Num(left + x) + " " + Num(y);
        s += "<path d=\"" + d + "\" fill=\"" + Colours[p.group] + "\" fill-opacity=\"0.35\"/>";
    }
    const struct {
        double y;
        const char* name;
    } levels[] = {{0, "barrel top"}, {o.deck, "crown at TDC"}, {o.bdc, "crown at BDC"}};
    for (const auto& l : levels)
        if (&l != &levels[1] || o.deck > 0) // the crown at TDC only below the barrel top
            s += "<line x1=\"0\" y1=\"" + Num(l.y) + "\" x2=\"" + Num(o.width + 2 * font) +
                 "\" y2=\"" + Num(l.y) + "\" stroke-dasharray=\"" + Num(font / 2) + "\"/>";
    s += "</g><g font-family=\"sans-serif\" font-size=\"" + Num(font) + "\" fill=\"#000000\">";
    for (const auto& l : levels)
        if (&l != &levels[1] || o.deck > 0)
            s += "<text x=\"" + Num(o.width + 2.5 * font) + "\" y=\"" + Num(l.y + font / 3) +
                 "\">" + l.name + "</text>";
    return s + legend + "</g></svg>";
}
