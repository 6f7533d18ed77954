#include "core/calculators/port_map_chart.h"

#include "core/fields/display_format.h"
#include "core/fields/vocabulary.h"

#include <algorithm>

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

} // namespace

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
    double at = Left, row = Top + Height + 48; // the legend, in rows that fit the plot's width
    for (const auto& c : chart.curves) {
        const std::string name = Port_Group_Words()[c.group].name;
        const double width = 26 + 6.5 * static_cast<double>(name.size());
        if (at + width > Left + Width)
            at = Left, row += 18;
        s += "<rect x=\"" + Num(at) + "\" y=\"" + Num(row - 6) +
             "\" width=\"14\" height=\"4\" fill=\"" + Colours[c.group] + "\"/><text x=\"" +
             Num(at + 18) + "\" y=\"" + Num(row) + "\" text-anchor=\"start\">" + name + "</text>";
        at += width;
    }
    return s + "</g></svg>";
}
