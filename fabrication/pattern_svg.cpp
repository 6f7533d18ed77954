#include "fabrication/pattern_svg.h"

#include "common/numbers.h"

#include <cmath>
#include <string>

namespace {

// Coordinates to the micrometre.
constexpr int Decimals = 3;
// Cap height per font size of the sheet's face (1409 of 2048 units): text is sized by its
// capitals, as on the printed pages.
constexpr double Cap_Ratio = 0.688;
constexpr const char* Font = "Liberation Sans, Arial, Helvetica, sans-serif";

std::string Num(double v) {
    return Short_Fixed(v, Decimals);
}

std::string Xml_Text(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Stroke(Line_Role role) {
    const Line_Style st = Style_Of(role);
    std::string a = "fill=\"none\" stroke=\"";
    a += st.grey == 0 ? "#000"
                      : "rgb(" + std::to_string(st.grey) + "," + std::to_string(st.grey) + "," +
                            std::to_string(st.grey) + ")";
    a += "\" stroke-width=\"" + Num(st.width) + "\"";
    if (!st.dash.empty()) {
        a += " stroke-dasharray=\"";
        for (size_t i = 0; i < st.dash.size(); ++i)
            a += (i ? " " : "") + Num(st.dash[i]);
        a += "\"";
    }
    return a;
}

} // namespace

std::string Pattern_Svg(const Chamber_Patterns& set, const Sheet_Layout& layout) {
    const double width = std::ceil(layout.width * 10) / 10;
    const double height = std::ceil(layout.height * 10) / 10;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      Num(width) + "mm\" height=\"" + Num(height) + "mm\" viewBox=\"0 0 " +
                      Num(width) + " " + Num(height) + "\">\n" +
                      "<title>Expansion chamber flat patterns</title>\n"
                      "<desc>Every piece at full size; units of 1 mm</desc>\n";
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        const Flat_Piece& p = set.pieces[i];
        // The piece's own frame is y up; the sheet's y runs down from its top edge.
        const double ox = layout.offsets[i].x, oy = height - layout.offsets[i].y;
        const auto x = [&](Pt q) { return Num(q.x + ox); };
        const auto y = [&](Pt q) { return Num(oy - q.y); };
        const auto at = [&](Pt q) { return x(q) + " " + y(q); };
        svg += "<g id=\"piece-" + std::to_string(i + 1) + "\">\n";
        for (const auto& l : p.lines)
            svg += "<path d=\"M " + at(l.a) + " L " + at(l.b) + "\" " + Stroke(l.role) + "/>\n";
        for (const auto& a : p.arcs) {
            // Counter-clockwise with y up is sweep flag 0 with y down; two halves, so that
            // no half reaches a half turn and the large-arc flag is always 0.
            const auto on = [&](double angle) {
                return at({a.centre.x + a.radius * std::cos(angle),
                           a.centre.y + a.radius * std::sin(angle)});
            };
            const std::string r = Num(a.radius) + " " + Num(a.radius) + " 0 0 0 ";
            svg += "<path d=\"M " + on(a.start) + " A " + r + on((a.start + a.end) / 2) + " A " +
                   r + on(a.end) + "\" " + Stroke(a.role) + "/>\n";
        }
        svg += "<g font-family=\"" + std::string(Font) + "\" fill=\"#000\">\n";
        const auto write = [&](const Pattern_Text& t) {
            const bool centre = t.anchor == Text_Anchor::Centre;
            // Centred text is placed by the middle of its capitals.
            const Pt base{t.at.x, centre ? t.at.y - t.height / 2 : t.at.y};
            svg += "<text x=\"" + x(base) + "\" y=\"" + y(base) + "\" font-size=\"" +
                   Num(t.height / Cap_Ratio) + "\"" + (centre ? " text-anchor=\"middle\"" : "") +
                   (t.bold ? " font-weight=\"bold\"" : "") + ">" + Xml_Text(t.text) + "</text>\n";
        };
        for (const auto& t : p.texts)
            write(t);
        for (const auto& t : p.figures)
            write(t);
        svg += "</g>\n</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}
