#include "core/patterns/pattern_svg.h"

#include "core/fields/display_format.h"
#include "core/fields/numbers.h"

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

// The piece's lines, arcs and texts, its own frame (y up) placed at (ox, oy) on a sheet
// whose y runs down.
std::string Piece_Elements(const Flat_Piece& p, double ox, double oy, bool figures = true) {
    const auto x = [&](Pt q) { return Num(q.x + ox); };
    const auto y = [&](Pt q) { return Num(oy - q.y); };
    const auto at = [&](Pt q) { return x(q) + " " + y(q); };
    std::string svg;
    for (const auto& l : p.lines)
        svg += "<path d=\"M " + at(l.a) + " L " + at(l.b) + "\" " + Stroke(l.role) + "/>\n";
    for (const auto& a : p.arcs) {
        // Counter-clockwise with y up is sweep flag 0 with y down; two halves, so that no
        // half reaches a half turn and the large-arc flag is always 0.
        const auto on = [&](double angle) {
            return at(
                {a.centre.x + a.radius * std::cos(angle), a.centre.y + a.radius * std::sin(angle)});
        };
        const std::string r = Num(a.radius) + " " + Num(a.radius) + " 0 0 0 ";
        svg += "<path d=\"M " + on(a.start) + " A " + r + on((a.start + a.end) / 2) + " A " + r +
               on(a.end) + "\" " + Stroke(a.role) + "/>\n";
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
    if (figures)
        for (const auto& t : p.figures)
            write(t);
    return svg + "</g>\n";
}

std::string Svg_Open(double width, double height, const std::string& viewBox,
                     const std::string& more = "") {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width) + "mm\" height=\"" +
           Num(height) + "mm\" viewBox=\"" + viewBox + "\"" + more + ">\n";
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
        svg += "<g id=\"piece-" + std::to_string(i + 1) + "\">\n";
        svg += Piece_Elements(set.pieces[i], layout.offsets[i].x, height - layout.offsets[i].y);
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

std::string Piece_Svg(const Flat_Piece& piece) {
    const Box& f = piece.frame;
    return Svg_Open(f.width(), f.height(),
                    Num(0) + " " + Num(0) + " " + Num(f.width()) + " " + Num(f.height()),
                    " role=\"img\"") +
           "<title>" + Xml_Text(piece.section + " " + piece.role) + " at full size</title>\n" +
           Piece_Elements(piece, -f.x0, f.y1) + "</svg>\n";
}

std::string Tile_Svg(const Flat_Piece& fitted, const Tile_Plan& plan, int row, int col) {
    const Box& t = plan.page.tile;
    // The tile shows the frame's area from (x0 + col stepX, y1 - row stepY) downwards.
    const double ox = -(plan.x0 + col * plan.stepX);
    const double oy = plan.y1 - row * plan.stepY;
    std::string svg =
        Svg_Open(t.width(), t.height(), "0 0 " + Num(t.width()) + " " + Num(t.height()),
                 " aria-hidden=\"true\"");
    svg += Piece_Elements(fitted, ox, oy);
    // Its edge, faint; dashed where the next tile's trimmed edge is laid.
    svg += "<rect x=\"0\" y=\"0\" width=\"" + Num(t.width()) + "\" height=\"" + Num(t.height()) +
           "\" fill=\"none\" stroke=\"rgb(170,170,170)\" stroke-width=\"0.2\"/>\n";
    const std::string dashed = "stroke=\"#000\" stroke-width=\"0.25\" stroke-dasharray=\"2 1.5\"";
    if (col + 1 < plan.cols) {
        const std::string x = Num(t.width() - Tile_Overlap);
        svg += "<path d=\"M " + x + " 0 L " + x + " " + Num(t.height()) + "\" " + dashed + "/>\n";
    }
    if (row + 1 < plan.rows) {
        const std::string y = Num(t.height() - Tile_Overlap);
        svg += "<path d=\"M 0 " + y + " L " + Num(t.width()) + " " + y + "\" " + dashed + "/>\n";
    }
    return svg + "</svg>\n";
}

std::string Check_Bars_Svg() {
    constexpr double Mm_Per_Inch = 25.4;
    struct Bar {
        double y, length;
        int fields;
        const char* caption;
    };
    const Bar bars[] = {
        {1, 100.0, 10, "100 mm: must measure exactly 100 mm"},
        {9, 4 * Mm_Per_Inch, 8, "4 in: must measure exactly 4 inches (101.6 mm)"},
    };
    const double width = 180, height = 13;
    std::string svg = Svg_Open(width, height, "0 0 " + Num(width) + " " + Num(height),
                               " role=\"img\" aria-label=\"Check bars: 100 mm and 4 inches\"");
    for (const Bar& b : bars) {
        const double field = b.length / b.fields;
        for (int i = 0; i < b.fields; ++i)
            svg += "<rect x=\"" + Num(i * field) + "\" y=\"" + Num(b.y) + "\" width=\"" +
                   Num(field) + "\" height=\"2.5\" fill=\"" + (i % 2 == 0 ? "#000" : "#fff") +
                   "\" stroke=\"#000\" stroke-width=\"0.15\"/>\n";
        svg += "<text x=\"" + Num(b.length + 4) + "\" y=\"" + Num(b.y + 2.4) + "\" font-family=\"" +
               Font + "\" font-size=\"" + Num(2.4 / Cap_Ratio) + "\">" + b.caption + "</text>\n";
    }
    return svg + "</svg>\n";
}
