#include "fabrication/pattern_paint.h"

#include "common/display_format.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Mm_Per_Inch = 25.4;

// ---------------------------------------------------------------------------------------
// Text and pens, sized in millimetres whatever the device's resolution.

enum class Align { Left, Centre, Right };

class Ink {
public:
    Ink(QPainter& p, double k) : p_(p), k_(k) {
        const double dpi = p.device()->logicalDpiY();
        pointsPerUnit_ = 72.0 / dpi;
        for (int b = 0; b < 2; ++b) {
            QFont f = Base_Font(b == 1);
            f.setPointSizeF(100 * pointsPerUnit_);
            capRatio_[b] = QFontMetricsF(f, p.device()).capHeight() / 100;
            if (!(capRatio_[b] > 0.3 && capRatio_[b] < 1))
                capRatio_[b] = 0.7; // a face without the metric: a typical sans value
        }
    }

    double k() const { return k_; }
    QPainter& painter() { return p_; }

    // Text whose capitals are `capMm` high, its anchor at `at` (device units): the left or
    // right end or the middle of the baseline, or with `middle` the middle of the capitals.
    // It is squeezed to the pattern's width estimate when the face runs wider, and to
    // `maxWidthMm` when that is given.
    void text(QPointF at, double capMm, const std::string& s, Align align, bool bold = false,
              bool middle = false, double maxWidthMm = 0) {
        const QString q = QString::fromUtf8(s.c_str());
        QFont f = Base_Font(bold);
        f.setPointSizeF(capMm * k_ / capRatio_[bold ? 1 : 0] * pointsPerUnit_);
        double w = QFontMetricsF(f, p_.device()).horizontalAdvance(q);
        double limit = Text_Width_Estimate(s, capMm) * k_;
        if (maxWidthMm > 0)
            limit = std::min(limit, maxWidthMm * k_);
        double cap = capMm * k_;
        if (w > limit) {
            const double squeeze = limit / w;
            f.setPointSizeF(f.pointSizeF() * squeeze);
            w *= squeeze;
            cap *= squeeze;
        }
        double x = at.x();
        if (align == Align::Centre)
            x -= w / 2;
        else if (align == Align::Right)
            x -= w;
        const double y = middle ? at.y() + cap / 2 : at.y();
        p_.setFont(f);
        p_.setPen(QPen(Qt::black));
        p_.drawText(QPointF(x, y), q);
    }

    // Page coordinates (mm from the top left corner, y down) to device units.
    QPointF at(double x, double y) const { return {x * k_, y * k_}; }
    double len(double mm) const { return mm * k_; }

    QPen pen(double widthMm, const QColor& colour = Qt::black,
             const std::vector<double>& dashMm = {}) const {
        QPen pen(colour, widthMm * k_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (!dashMm.empty()) {
            QVector<qreal> pattern;
            for (double d : dashMm)
                pattern.push_back(d / widthMm); // dash lengths count in pen widths
            pen.setDashPattern(pattern);
        }
        return pen;
    }

    void line(double x0, double y0, double x1, double y1, const QPen& pen) {
        p_.setPen(pen);
        p_.drawLine(at(x0, y0), at(x1, y1));
    }

    void rect(double x, double y, double w, double h, const QPen& pen,
              const QBrush& brush = Qt::NoBrush) {
        p_.setPen(pen);
        p_.setBrush(brush);
        p_.drawRect(QRectF(at(x, y), at(x + w, y + h)));
        p_.setBrush(Qt::NoBrush);
    }

private:
    static QFont Base_Font(bool bold) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setBold(bold);
        f.setKerning(true);
        return f;
    }

    QPainter& p_;
    double k_;
    double pointsPerUnit_ = 1;
    double capRatio_[2] = {0.7, 0.7};
};

QPen Role_Pen(const Ink& ink, Line_Role role) {
    switch (role) {
    case Line_Role::Outline:
        return ink.pen(0.35);
    case Line_Role::SeamLine:
        return ink.pen(0.25, Qt::black, {4, 2});
    case Line_Role::CentreLine:
        return ink.pen(0.2, QColor(80, 80, 80), {8, 1.5, 1, 1.5});
    case Line_Role::Mark:
        return ink.pen(0.3);
    }
    return ink.pen(0.3);
}

// Maps a piece's own frame (y up) onto the page: page x = x + ox, page y = oy - y (mm).
struct Piece_Map {
    double ox = 0, oy = 0;
    QPointF operator()(const Ink& ink, Pt p) const { return ink.at(p.x + ox, oy - p.y); }
};

void Paint_Piece(Ink& ink, const Flat_Piece& piece, const Piece_Map& m) {
    QPainter& p = ink.painter();
    p.setBrush(Qt::NoBrush);
    for (const auto& l : piece.lines) {
        p.setPen(Role_Pen(ink, l.role));
        p.drawLine(m(ink, l.a), m(ink, l.b));
    }
    for (const auto& a : piece.arcs) {
        const QPointF c = m(ink, a.centre);
        const double r = ink.len(a.radius);
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        const double startDeg = a.start * 180 / Pi;
        const double sweepDeg = (a.end - a.start) * 180 / Pi;
        QPainterPath path;
        path.arcMoveTo(box, startDeg);
        path.arcTo(box, startDeg, sweepDeg);
        p.setPen(Role_Pen(ink, a.role));
        p.drawPath(path);
    }
    std::vector<Pattern_Text> texts = piece.texts;
    texts.insert(texts.end(), piece.figures.begin(), piece.figures.end());
    for (const auto& t : texts) {
        const bool centre = t.anchor == Text_Anchor::Centre;
        ink.text(m(ink, t.at), t.height, t.text, centre ? Align::Centre : Align::Left, t.bold,
                 centre);
    }
}

std::string Shown(float v, const char* picture = "##0.0") {
    return Format_Number(v, picture);
}

// The two check bars at the foot of a page: 100 mm in 10 mm fields, 4 inches in half
// inches. A printer that scales the page shows them at the wrong length.
void Paint_Check_Bars(Ink& ink, const Page_Box& page) {
    const double x = Page_Margin;
    const double bottom = page.height - Page_Margin;
    struct Bar {
        double y, length;
        int fields;
        const char* caption;
    };
    const Bar bars[] = {
        {bottom - 13, 100.0, 10, "100 mm: must measure exactly 100 mm"},
        {bottom - 5, 4 * Mm_Per_Inch, 8, "4 in: must measure exactly 4 inches (101.6 mm)"},
    };
    for (const auto& b : bars) {
        const double field = b.length / b.fields;
        for (int i = 0; i < b.fields; ++i)
            ink.rect(x + i * field, b.y, field, 2.5, ink.pen(0.15),
                     i % 2 == 0 ? QBrush(Qt::black) : QBrush(Qt::white));
        // End ticks, so the bar's ends can be read against a rule.
        ink.line(x, b.y - 1, x, b.y + 3.5, ink.pen(0.2));
        ink.line(x + b.length, b.y - 1, x + b.length, b.y + 3.5, ink.pen(0.2));
        ink.text(ink.at(x + b.length + 4, b.y + 2.4), 2.4, b.caption, Align::Left);
    }
}

// Crop marks at the tile's corners, outside it, and the names of the neighbouring tiles.
void Paint_Tile_Frame(Ink& ink, const Page_Box& page, const Tile_Plan& plan, int row, int col) {
    const Box& t = page.tile;
    const QPen crop = ink.pen(0.2);
    const double gap = 1.0;
    const double len = Crop_Zone - 1.5;
    for (double x : {t.x0, t.x1})
        for (double y : {t.y0, t.y1}) {
            const double sx = x == t.x0 ? -1 : 1;
            const double sy = y == t.y0 ? -1 : 1;
            ink.line(x + sx * gap, y, x + sx * (gap + len), y, crop);
            ink.line(x, y + sy * gap, x, y + sy * (gap + len), crop);
        }
    // The tile's own edge, faint: where this page is trimmed when it is laid on another.
    ink.rect(t.x0, t.y0, t.width(), t.height(), ink.pen(0.1, QColor(170, 170, 170)));

    // Where the next page's trimmed edge is laid: 10 mm inside the right and lower edges.
    const QPen overlap = ink.pen(0.25, QColor(0, 0, 0), {2, 1.5});
    const double cap = 2.2;
    if (col + 1 < plan.cols) {
        const double x = t.x1 - Tile_Overlap;
        ink.line(x, t.y0, x, t.y1, overlap);
        ink.text(ink.at(x - 1, t.y0 - 1.5), cap, Tile_Name(row, col + 1) + " edge here >",
                 Align::Right);
    }
    if (row + 1 < plan.rows) {
        const double y = t.y1 - Tile_Overlap;
        ink.line(t.x0, y, t.x1, y, overlap);
        ink.text(ink.at(t.x1 + 1, y + cap / 2), cap, Tile_Name(row + 1, col), Align::Left);
        ink.text(ink.at(t.x0 - 1, y + cap / 2), cap, Tile_Name(row + 1, col), Align::Right);
    }
    // Neighbour names in the margins: which page joins on each side.
    const double midX = (t.x0 + t.x1) / 2;
    const double midY = (t.y0 + t.y1) / 2;
    if (row > 0)
        ink.text(ink.at(midX, t.y0 - 1.5), cap, "^ " + Tile_Name(row - 1, col), Align::Centre);
    if (row + 1 < plan.rows)
        ink.text(ink.at(midX, t.y1 + 1.5 + cap), cap, "v " + Tile_Name(row + 1, col),
                 Align::Centre);
    if (col > 0)
        ink.text(ink.at(t.x0 - 1, midY), cap, Tile_Name(row, col - 1), Align::Right, false, true);
    if (col + 1 < plan.cols)
        ink.text(ink.at(t.x1 + 1, midY), cap, Tile_Name(row, col + 1), Align::Left, false, true);
}

void Paint_Tile_Page(Ink& ink, const Chamber_Patterns& set, const Flat_Piece& piece,
                     const Tile_Plan& plan, int row, int col, int pageNo, int pageCount) {
    const Page_Box& page = plan.page;
    const double top = Page_Margin;
    std::string title = piece.section + "  " + piece.role;
    if (piece.count > 1)
        title += "  piece " + std::to_string(piece.index) + " of " + std::to_string(piece.count);
    ink.text(ink.at(Page_Margin, top + 5), 4, title, Align::Left, true, false,
             (page.width - 2 * Page_Margin) * 0.6);
    std::string sub =
        "Full size. Page " + std::to_string(pageNo) + " of " + std::to_string(pageCount);
    if (!set.input.PipeName.empty())
        sub += ", " + set.input.PipeName;
    ink.text(ink.at(Page_Margin, top + 9.5), 2.4, sub, Align::Left, false, false,
             (page.width - 2 * Page_Margin) * 0.6);

    const std::string name = Tile_Name(row, col);
    const double right = page.width - Page_Margin;
    ink.text(ink.at(right, top + 7), 7, name, Align::Right, true);
    const double nameW = Text_Width_Estimate(name, 7);
    ink.text(ink.at(right - nameW - 3, top + 3.2), 2.4,
             "row " + Tile_Name(row, 0).substr(0, Tile_Name(row, 0).size() - 1) + " of " +
                 std::to_string(plan.rows) + ", column " + std::to_string(col + 1) + " of " +
                 std::to_string(plan.cols),
             Align::Right);
    ink.text(ink.at(right - nameW - 3, top + 7), 2.4,
             plan.pages() > 1 ? "trim at the crop marks, overlap 10 mm" : "one page", Align::Right);

    Paint_Tile_Frame(ink, page, plan, row, col);
    Paint_Check_Bars(ink, page);

    // The piece: the tile shows the frame's area from (x0 + col stepX, y1 - row stepY).
    const Box& t = page.tile;
    Piece_Map m;
    m.ox = t.x0 - (plan.x0 + col * plan.stepX);
    m.oy = t.y0 + (plan.y1 - row * plan.stepY);
    QPainter& p = ink.painter();
    p.save();
    p.setClipRect(QRectF(ink.at(t.x0, t.y0), ink.at(t.x1, t.y1)));
    Paint_Piece(ink, piece, m);
    p.restore();
}

// The chamber's side view, schematic: lengths to one scale, diameters to a larger one.
double Paint_Side_View(Ink& ink, const Chamber_Patterns& set, double x0, double y0, double width) {
    const DsnInput& in = set.input;
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
             Align::Left, true);

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
    ink.text(ink.at((stations[0] + stations[1]) / 2, lengthRow), capL, "LX", Align::Centre);
    for (size_t j = 0; j < secs.size(); ++j)
        ink.text(ink.at((stations[j + 1] + stations[j + 2]) / 2, lengthRow), capL, secs[j].name,
                 Align::Centre);
    const double dRow = axis + 13 + 2 + capL + 3;
    auto diameterLabel = [&](double x, double inside, const std::string& name) {
        ink.line(x, axis + inside * sy / 2 + 0.8, x, dRow - capL - 1, ink.pen(0.15));
        ink.text(ink.at(x, dRow), capL, name, Align::Centre);
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
    Align align;
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
        return c.align == Align::Left    ? x + 1
               : c.align == Align::Right ? x + c.width - 1.5
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

void Paint_Summary(Ink& ink, const Chamber_Patterns& set, Paper paper, int pageCount) {
    const Page_Box page = Page_Layout(paper, false);
    const DsnInput& in = set.input;
    const DsnResult& r = set.result;
    const Pattern_Options& o = set.options;
    const double x0 = Page_Margin;
    const double right = page.width - Page_Margin;
    double y = Page_Margin;

    ink.text(ink.at(x0, y + 5.5), 5.5, "Expansion chamber flat patterns", Align::Left, true);
    ink.text(ink.at(right, y + 5.5), 2.6, "page 1 of " + std::to_string(pageCount), Align::Right);
    y += 6;
    if (!in.PipeName.empty()) {
        y += 5.5;
        ink.text(ink.at(x0, y), 3.5, "Pipe: " + in.PipeName, Align::Left, false, false, right - x0);
    }
    y += 5;
    const std::string seam =
        o.seam > 0 ? "seam allowance " + Fixed(o.seam, 1) + " mm added along one straight edge"
                   : "butt-welded seams (no allowance)";
    const std::vector<std::string> intro = {
        std::string(in.ThreeStage ? "Three" : "Two") + "-stage diffuser. Sheet " + Fixed(o.sheet) +
            " mm: every part is rolled on its mean diameter, inside + sheet.",
        std::to_string(o.pieces) + (o.pieces == 1 ? " piece" : " pieces") + " per cone, " + seam +
            ". " + Paper_Name(paper) + " paper.",
        "Print at 100 % (actual size, no fit to page) and check both bars at the foot of "
        "each page before cutting.",
    };
    for (const auto& line : intro) {
        y += 4.2;
        ink.text(ink.at(x0, y), 2.6, line, Align::Left);
    }
    y += 5;

    // The dimension table, as the design window shows the figures.
    ink.text(ink.at(x0, y + 3.5), 3.5, "Design dimensions (mm, inside diameters)", Align::Left,
             true);
    y += 5;
    std::vector<std::vector<std::string>> dims;
    dims.push_back({"LX", "barrel exhaust duct",
                    "DX " + Shown(in.PrtDiam) + " to D1 " + Shown(r.Diam[0]), Shown(in.PrtLnth)});
    for (const auto& s : set.sections) {
        const std::string d = s.cone ? s.diamIn + " " + Shown(static_cast<float>(s.insideIn)) +
                                           " to " + s.diamOut + " " +
                                           Shown(static_cast<float>(s.insideOut))
                                     : s.diamIn + " " + Shown(static_cast<float>(s.insideIn));
        dims.push_back({s.name, s.role, d, Shown(static_cast<float>(s.length))});
    }
    dims.push_back(
        {"", "tuned length, piston face to tail pipe entry", "", Shown(r.ETotal, "###0.0")});
    y += Paint_Table(ink, x0, y,
                     {{"Section", 16, Align::Left},
                      {"Part", 72, Align::Left},
                      {"Diameter", 52, Align::Left},
                      {"Length", 22, Align::Right}},
                     dims, 2.6, 4.3);
    y += 5;

    y += Paint_Side_View(ink, set, x0, y, right - x0);
    y += 4;

    // The cut list: every piece with what is needed to lay it out by hand.
    ink.text(ink.at(x0, y + 3.5), 3.5, "Cut list (mm; d and D are mean diameters)", Align::Left,
             true);
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
                     {{"Piece", 15, Align::Left},
                      {"Shape", 17, Align::Left},
                      {"d / D", 24, Align::Right},
                      {"h", 13, Align::Right},
                      {"s", 13, Align::Right},
                      {"Ro", 15, Align::Right},
                      {"Ri", 15, Align::Right},
                      {"Angle", 16, Align::Right},
                      {"Chord", 15, Align::Right},
                      {"Box W x H", 29, Align::Right},
                      {"Pages", 14, Align::Right}},
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
        ink.text(ink.at(x0, y), 2.4, line, Align::Left);
    }
    Paint_Check_Bars(ink, page);
}

} // namespace

QPageLayout Pattern_Page_Layout(Paper paper, bool landscape) {
    return QPageLayout(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Paint_Pattern_Pages(QPagedPaintDevice& device, QPainter& painter, const Chamber_Patterns& set,
                         Paper paper) {
    const int pageCount = Pattern_Page_Count(set, paper);
    {
        Ink ink(painter, device.logicalDpiX() / Mm_Per_Inch);
        Paint_Summary(ink, set, paper, pageCount);
    }
    int pageNo = 1;
    for (const auto& original : set.pieces) {
        const Flat_Piece piece = Fit_To_Paper(original, paper);
        const Tile_Plan plan = Plan_Tiles(piece.frame, paper);
        for (int row = 0; row < plan.rows; ++row)
            for (int col = 0; col < plan.cols; ++col) {
                device.setPageLayout(Pattern_Page_Layout(paper, plan.landscape));
                device.newPage();
                ++pageNo;
                Ink ink(painter, device.logicalDpiX() / Mm_Per_Inch);
                Paint_Tile_Page(ink, set, piece, plan, row, col, pageNo, pageCount);
            }
    }
}

void Paint_Pattern_Sheet(QPainter& painter, const Chamber_Patterns& set, const Sheet_Layout& layout,
                         double pxPerMm) {
    Ink ink(painter, pxPerMm);
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        Piece_Map m;
        m.ox = layout.offsets[i].x;
        m.oy = layout.height - layout.offsets[i].y;
        Paint_Piece(ink, set.pieces[i], m);
    }
}
