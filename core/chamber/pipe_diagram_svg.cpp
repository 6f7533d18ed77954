#include "core/chamber/pipe_diagram_svg.h"

#include "core/fields/display_format.h"

#include <algorithm>
#include <vector>

namespace {

// Twips to the tenth.
std::string Num(double v) {
    return Short_Fixed(v, 1);
}

// A colour of the windows (&H00BBGGRR) as CSS.
std::string Css_Colour(uint32_t bgr) {
    return "rgb(" + std::to_string(bgr & 0xFF) + "," + std::to_string((bgr >> 8) & 0xFF) + "," +
           std::to_string((bgr >> 16) & 0xFF) + ")";
}

// Every control of the diagram: lines under the dots, captions on top.
struct Controls {
    std::vector<const LineShape*> lines;
    std::vector<const DotShape*> dots;
    std::vector<const PaintedLabel*> labels;
};

Controls All_Of(const Pipe_Diagram& d) {
    Controls c;
    c.lines = {&d.Dprt, &d.LPrt};
    for (const auto& l : d.LDia)
        c.lines.push_back(&l);
    for (const auto& l : d.LTop)
        c.lines.push_back(&l);
    for (const auto& l : d.LBot)
        c.lines.push_back(&l);
    for (const auto& l : d.Lv)
        c.lines.push_back(&l);
    for (const auto& l : d.Dv)
        c.lines.push_back(&l);
    c.lines.insert(c.lines.end(), {&d.Dx, &d.Lx, &d.LXA});
    for (const auto& dot : d.DDot)
        c.dots.push_back(&dot);
    c.dots.insert(c.dots.end(), {&d.DxDot, &d.DotXA});
    for (const auto& l : d.LLab)
        c.labels.push_back(&l);
    for (const auto& l : d.DLab)
        c.labels.push_back(&l);
    for (const auto& l : d.XLab)
        c.labels.push_back(&l);
    c.labels.insert(c.labels.end(), {&d.DXLab, &d.LXLab});
    return c;
}

} // namespace

std::string Pipe_Diagram_Svg(const Pipe_Diagram& d, float panelWidth, float panelHeight) {
    const Controls c = All_Of(d);
    // The panel, widened to every visible control, with a margin.
    double x0 = 0, y0 = 0, x1 = panelWidth, y1 = panelHeight;
    const auto take = [&](double x, double y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    };
    for (const LineShape* l : c.lines)
        if (l->Visible) {
            take(l->X1, l->Y1);
            take(l->X2, l->Y2);
        }
    for (const DotShape* dot : c.dots)
        if (dot->Visible) {
            take(dot->Left, dot->Top);
            take(dot->Left + dot->Width, dot->Top + dot->Height);
        }
    for (const PaintedLabel* l : c.labels)
        if (l->Visible) {
            take(l->Left, l->Top);
            take(l->Left + l->Width, l->Top + l->Height);
        }
    const double margin = 60;
    x0 -= margin;
    y0 -= margin;
    const double w = x1 - x0 + margin, h = y1 - y0 + margin;
    const std::string box = Num(x0) + " " + Num(y0) + " " + Num(w) + " " + Num(h);

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"diagram\" role=\"img\" "
                      "viewBox=\"" +
                      box + "\" aria-labelledby=\"side-view-title\">";
    svg += "<title id=\"side-view-title\">Side view of the chamber with its lengths and "
           "diameters</title>";
    svg += "<rect class=\"diagram-back\" x=\"" + Num(x0) + "\" y=\"" + Num(y0) + "\" width=\"" +
           Num(w) + "\" height=\"" + Num(h) + "\"/>";
    // A pixel of the window is 15 twips; a dotted line as the window's dots.
    for (const LineShape* l : c.lines)
        if (l->Visible) {
            svg += "<line x1=\"" + Num(l->X1) + "\" y1=\"" + Num(l->Y1) + "\" x2=\"" + Num(l->X2) +
                   "\" y2=\"" + Num(l->Y2) + "\" stroke=\"" + Css_Colour(l->BorderColor) +
                   "\" stroke-width=\"" + Num(15.0 * l->BorderWidth) + "\"";
            if (l->BorderStyle == Style_Dot)
                svg += " stroke-dasharray=\"15 30\"";
            svg += "/>";
        }
    for (const DotShape* dot : c.dots)
        if (dot->Visible)
            svg += "<ellipse cx=\"" + Num(dot->Left + dot->Width / 2) + "\" cy=\"" +
                   Num(dot->Top + dot->Height / 2) + "\" rx=\"" + Num(dot->Width / 2) + "\" ry=\"" +
                   Num(dot->Height / 2) + "\" fill=\"" + Css_Colour(dot->FillColor) + "\"/>";
    for (const PaintedLabel* l : c.labels)
        if (l->Visible)
            svg += "<text x=\"" + Num(l->Left + l->Width / 2) + "\" y=\"" +
                   Num(l->Top + l->Height * 0.8) + "\" fill=\"" + Css_Colour(l->ForeColor) +
                   "\" text-anchor=\"middle\" font-size=\"165\">" + Xml_Text(l->Caption) +
                   "</text>";
    svg += "</svg>";
    return svg;
}
