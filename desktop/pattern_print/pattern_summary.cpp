#include "desktop/pattern_print/pattern_summary.h"

#include "core/fields/numbers.h"

#include <QPainter>

#include <algorithm>

namespace {

// The chamber's side view, schematic: lengths to one scale, diameters to a larger one.
double Paint_Side_View(Ink& ink, const Chamber_Patterns& set, double x0, double y0, double width) {
    const DsnInput& in = set.design.input;
    const auto& secs = set.sections;
    double total = in.PrtLnth;
    double belly = 0;
    for (const auto& s : secs) {
        total += s.length;
        belly = std::max({belly, s.insideIn, s.insideOut});
    }
    const double sx = (width - 12) / total;
    const double sy = 26 / belly;
    const double axis = y0 + 12 + 13;
    const double left = x0 + 10;

    ink.text(ink.at(x0, y0 + 3), 3.2, "Side view (lengths and diameters to different scales)",
             Text_Align::Left, true);

    const QPen outline = ink.pen(0.3);
    const QPen thin = ink.pen(0.15, QColor(90, 90, 90), {1, 1});
    std::vector<double> stations{left, left + in.PrtLnth * sx};
    for (const auto& s : secs)
        stations.push_back(stations.back() + s.length * sx);
    // The port, the barrel duct from DX to D1, then every section.
    const double dx = in.PrtDiam * sy / 2;
    const double d1 = set.sections.front().insideIn * sy / 2;
    ink.line(stations[0], axis - dx, stations[0], axis + dx, outline);
    ink.line(stations[0], axis - dx, stations[1], axis - d1, outline);
    ink.line(stations[0], axis + dx, stations[1], axis + d1, outline);
    for (size_t j = 0; j < secs.size(); ++j) {
        const double a = secs[j].insideIn * sy / 2;
        const double b = secs[j].insideOut * sy / 2;
        ink.line(stations[j + 1], axis - a, stations[j + 2], axis - b, outline);
        ink.line(stations[j + 1], axis + a, stations[j + 2], axis + b, outline);
        ink.line(stations[j + 1], axis - a, stations[j + 1], axis + a, thin);
    }
    const double endR = secs.back().insideOut * sy / 2;
    ink.line(stations.back(), axis - endR, stations.back(), axis + endR, outline);
    ink.line(left - 4, axis, stations.back() + 4, axis,
             ink.pen(0.1, QColor(90, 90, 90), {4, 1, 1, 1}));

    // Length names above, diameter names below.
    const double capL = 2.6;
    const double lengthRow = y0 + 10;
    ink.text(ink.at((stations[0] + stations[1]) / 2, lengthRow), capL, "LX", Text_Align::Centre);
    for (size_t j = 0; j < secs.size(); ++j)
        ink.text(ink.at((stations[j + 1] + stations[j + 2]) / 2, lengthRow), capL, secs[j].name,
                 Text_Align::Centre);
    const double dRow = axis + 13 + 2 + capL + 3;
    auto diameterLabel = [&](double x, double inside, const std::string& name) {
        ink.line(x, axis + inside * sy / 2 + 0.8, x, dRow - capL - 1, ink.pen(0.15));
        ink.text(ink.at(x, dRow), capL, name, Text_Align::Centre);
    };
    diameterLabel(stations[0], in.PrtDiam, "DX");
    // Each diameter named once: in the middle of its parallel section, or where a cone
    // ends when no parallel section has it.
    std::vector<std::string> named;
    for (size_t j = 0; j < secs.size(); ++j)
        if (!secs[j].cone) {
            diameterLabel((stations[j + 1] + stations[j + 2]) / 2, secs[j].insideIn,
                          secs[j].diamIn);
            named.push_back(secs[j].diamIn);
        }
    for (size_t j = 0; j < secs.size(); ++j)
        if (secs[j].cone && std::find(named.begin(), named.end(), secs[j].diamOut) == named.end()) {
            diameterLabel(stations[j + 2], secs[j].insideOut, secs[j].diamOut);
            named.push_back(secs[j].diamOut);
        }
    return dRow + 3 - y0;
}

struct Column {
    const char* title;
    double width;
    Text_Align align;
};

// A table: headings, then rows, ruled. Returns its height.
double Paint_Table(Ink& ink, double x0, double y0, const std::vector<Column>& cols,
                   const std::vector<std::vector<std::string>>& rows, double cap, double step) {
    double total = 0;
    for (const auto& c : cols)
        total += c.width;
    auto cellX = [&](size_t i) {
        double x = x0;
        for (size_t j = 0; j < i; ++j)
            x += cols[j].width;
        const auto& c = cols[i];
        return c.align == Text_Align::Left    ? x + 1
               : c.align == Text_Align::Right ? x + c.width - 1.5
                                              : x + c.width / 2;
    };
    double y = y0 + step;
    for (size_t i = 0; i < cols.size(); ++i)
        ink.text(ink.at(cellX(i), y - (step - cap) / 2), cap, cols[i].title, cols[i].align, true);
    ink.line(x0, y + 0.4, x0 + total, y + 0.4, ink.pen(0.25));
    for (const auto& row : rows) {
        y += step;
        for (size_t i = 0; i < cols.size() && i < row.size(); ++i)
            ink.text(ink.at(cellX(i), y - (step - cap) / 2), cap, row[i], cols[i].align);
        ink.line(x0, y + 0.4, x0 + total, y + 0.4, ink.pen(0.08, QColor(150, 150, 150)));
    }
    return y + 1 - y0;
}

} // namespace

void Paint_Summary_Page(Ink& ink, const Chamber_Patterns& set, Paper paper, int pageCount) {
    const Page_Box page = Page_Layout(paper, false);
    const DsnInput& in = set.design.input;
    const Result_Table table = Make_Result_Table(set.design.state);
    const Pattern_Options& o = set.options;
    const double x0 = Page_Margin;
    const double right = page.width - Page_Margin;
    double y = Page_Margin;

    ink.text(ink.at(x0, y + 5.5), 5.5, "Expansion chamber flat patterns", Text_Align::Left, true);
    ink.text(ink.at(right, y + 5.5), 2.6, "page 1 of " + std::to_string(pageCount),
             Text_Align::Right);
    y += 6;
    if (!in.PipeName.empty()) {
        y += 5.5;
        ink.text(ink.at(x0, y), 3.5, "Pipe: " + in.PipeName, Text_Align::Left, false, false,
                 right - x0);
    }
    y += 5;
    const std::string seam =
        o.seam > 0 ? "seam allowance " + Fixed(o.seam, 1) + " mm added along one straight edge"
                   : "butt-welded seams (no allowance)";
    std::vector<std::string> intro = {
        std::string(in.ThreeStage ? "Three" : "Two") + "-stage diffuser. Sheet " + Fixed(o.sheet) +
            " mm: every part is rolled on its mean diameter, inside + sheet.",
        std::to_string(o.pieces) + (o.pieces == 1 ? " piece" : " pieces") + " per cone, " + seam +
            ". " + Paper_Name(paper) + " paper.",
        "Print at 100 % (actual size, no fit to page) and check both bars at the foot of "
        "each page before cutting.",
    };
    for (const auto& s : set.omitted)
        intro.push_back(Not_Cut_Sentence(s));
    for (const auto& line : intro) {
        y += 4.2;
        ink.text(ink.at(x0, y), 2.6, line, Text_Align::Left);
    }
    y += 5;

    // The dimension table, as the design window shows the figures.
    ink.text(ink.at(x0, y + 3.5), 3.5, "Design dimensions (mm, inside diameters)", Text_Align::Left,
             true);
    y += 5;
    std::vector<std::vector<std::string>> dims;
    dims.push_back({"LX", "barrel exhaust duct",
                    "DX " + table.PrtDia + " to D1 " + table.Texdiam[0], table.PrtLth});
    for (const auto& s : set.sections) {
        const std::string from = s.diamIn + " " + table.Texdiam[s.diamInIndex];
        const std::string d =
            s.cone ? from + " to " + s.diamOut + " " + table.Texdiam[s.diamOutIndex] : from;
        dims.push_back({s.name, s.role, d, table.Texlen[s.lengthIndex]});
    }
    dims.push_back({"", "tuned length, piston face to tail pipe entry", "", table.TexTotLth});
    y += Paint_Table(ink, x0, y,
                     {{"Section", 16, Text_Align::Left},
                      {"Part", 72, Text_Align::Left},
                      {"Diameter", 52, Text_Align::Left},
                      {"Length", 22, Text_Align::Right}},
                     dims, 2.6, 4.3);
    y += 5;

    y += Paint_Side_View(ink, set, x0, y, right - x0);
    y += 4;

    // The cut list: every piece with what is needed to lay it out by hand.
    ink.text(ink.at(x0, y + 3.5), 3.5, "Cut list (mm; d and D are mean diameters)",
             Text_Align::Left, true);
    y += 5;
    std::vector<std::vector<std::string>> cut;
    for (const auto& p : set.pieces) {
        const Tile_Plan plan = Plan_Tiles(Fit_To_Paper(p, paper).frame, paper);
        std::string name = p.section;
        if (p.count > 1)
            name += " " + std::to_string(p.index) + "/" + std::to_string(p.count);
        const std::string dD =
            p.sector ? Fixed(p.dSmall, 1) + " / " + Fixed(p.dLarge, 1) : Fixed(p.dLarge, 1);
        const std::string shape = p.sector ? "sector" : p.cone ? "rectangle" : "rect/tube";
        cut.push_back({name, shape, dD, Fixed(p.length, 1), Fixed(p.slant, 1),
                       p.sector ? Fixed(p.rOuter, 1) : "-", p.sector ? Fixed(p.rInner, 1) : "-",
                       p.sector ? Fixed(p.angle * 180 / Pi, 2) + "\xC2\xB0" : "-",
                       Fixed(p.chordOuter, 1),
                       Fixed(p.outline.width(), 1) + " x " + Fixed(p.outline.height(), 1),
                       std::to_string(plan.cols) + " x " + std::to_string(plan.rows)});
    }
    const double step = set.pieces.size() > 14 ? 3.9 : 4.3;
    y += Paint_Table(ink, x0, y,
                     {{"Piece", 15, Text_Align::Left},
                      {"Shape", 17, Text_Align::Left},
                      {"d / D", 24, Text_Align::Right},
                      {"h", 13, Text_Align::Right},
                      {"s", 13, Text_Align::Right},
                      {"Ro", 15, Text_Align::Right},
                      {"Ri", 15, Text_Align::Right},
                      {"Angle", 16, Text_Align::Right},
                      {"Chord", 15, Text_Align::Right},
                      {"Box W x H", 29, Text_Align::Right},
                      {"Pages", 14, Text_Align::Right}},
                     cut, 2.4, step);
    y += 4;

    const std::vector<std::string> legend = {
        "Solid line: cut. Dashed line beside an allowance: the seam line. Dash-dot: centre line. "
        "Short ticks on the ends:",
        "alignment marks at the quarters of the circumference; match them with the next part's. "
        "Box: the outline's size.",
        "Pages: columns x rows of the piece's tiles. Trim each page at its crop marks and lay "
        "its edge on the dashed",
        "line of its neighbour (10 mm overlap); the tile names (A1, A2, B1, ...) tell which "
        "page joins where.",
    };
    for (const auto& line : legend) {
        y += 3.8;
        ink.text(ink.at(x0, y), 2.4, line, Text_Align::Left);
    }
    Paint_Check_Bars(ink, page);
}
