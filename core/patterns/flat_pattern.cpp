#include "core/patterns/flat_pattern.h"

#include "core/fields/display_format.h"
#include "core/fields/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Sizes of what is drawn on a piece, mm.
constexpr double Title_Height = 4.5;
constexpr double Line_Height = 3.2;
constexpr double Line_Step = 1.7;   // baseline distance in text heights
constexpr double Block_Gap = 8.0;   // from the outline down to the first baseline's cap line
constexpr double Mark_Length = 6.0; // alignment ticks, at most a quarter of the slant
constexpr double Name_Max = 12.0;   // cap height of the section name drawn on the piece
constexpr double Name_Min = 3.0;

Pt Polar(double r, double a) {
    return {r * std::cos(a), r * std::sin(a)};
}

Pt Add(Pt p, Pt q) {
    return {p.x + q.x, p.y + q.y};
}

Pt Scale(Pt p, double k) {
    return {p.x * k, p.y * k};
}

void Extend(Box& b, Pt p) {
    b.x0 = std::min(b.x0, p.x);
    b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x);
    b.y1 = std::max(b.y1, p.y);
}

Box Empty_Box() {
    const double inf = std::numeric_limits<double>::infinity();
    return {inf, inf, -inf, -inf};
}

// The box around every line and arc of the piece. An arc reaches beyond its ends where it
// passes one of the four axis directions.
Box Outline_Box(const Flat_Piece& p) {
    Box b = Empty_Box();
    for (const auto& l : p.lines) {
        Extend(b, l.a);
        Extend(b, l.b);
    }
    for (const auto& a : p.arcs) {
        Extend(b, Add(a.centre, Polar(a.radius, a.start)));
        Extend(b, Add(a.centre, Polar(a.radius, a.end)));
        const double first = std::ceil(a.start / (Pi / 2));
        for (double k = first; k * (Pi / 2) <= a.end; k += 1)
            Extend(b, Add(a.centre, Polar(a.radius, k * (Pi / 2))));
    }
    return b;
}

// Fractions of the piece's width, from its left edge, where alignment marks go: the
// quarter points of the whole circumference that fall inside the piece (the seam being at
// 0), and the piece's own middle, where its centre line meets the ends.
std::vector<double> Mark_Fractions(int index, int count) {
    std::vector<double> g{0.5};
    for (int q = 1; q <= 3; ++q) {
        const double local = q * 0.25 * count - (index - 1);
        if (local > 1e-9 && local < 1 - 1e-9 && std::fabs(local - 0.5) > 1e-9)
            g.push_back(local);
    }
    std::sort(g.begin(), g.end());
    return g;
}

std::string Piece_Suffix(const Flat_Piece& p) {
    if (p.count == 1)
        return "";
    return "  piece " + std::to_string(p.index) + " of " + std::to_string(p.count);
}

// The figure block under the outline, left-aligned with it.
void Add_Figure_Block(Flat_Piece& p, const std::string& sheetText) {
    // Short lines, one figure or two each, so that the block stays narrow.
    std::vector<std::pair<std::string, bool>> rows;
    rows.push_back({p.section + "  " + p.role + Piece_Suffix(p), true});
    const std::string inIn = Fixed(p.largeEndIn ? p.insideLarge : p.insideSmall);
    const std::string inOut = Fixed(p.largeEndIn ? p.insideSmall : p.insideLarge);
    auto row = [&rows](const std::string& text) { rows.push_back({text, false}); };
    if (p.sector) {
        row("Inside " + p.diamIn + " " + inIn + " to " + p.diamOut + " " + inOut);
        row("Mean d " + Fixed(p.dSmall) + ", D " + Fixed(p.dLarge) + " (sheet " + sheetText + ")");
        row("Length h " + Fixed(p.length) + ", slant s " + Fixed(p.slant));
        row("Ro " + Fixed(p.rOuter) + ", Ri " + Fixed(p.rInner));
        std::string angle = "Angle " + Fixed(p.angle * 180 / Pi, 3) + "\xC2\xB0";
        if (p.count > 1)
            angle += " (cone " + Fixed(p.coneAngle * 180 / Pi, 3) + "\xC2\xB0)";
        row(angle);
        row("Chord " + Fixed(p.chordOuter) + ", inner " + Fixed(p.chordInner));
        const std::string largeName = p.largeEndIn ? p.diamIn : p.diamOut;
        const std::string smallName = p.largeEndIn ? p.diamOut : p.diamIn;
        row("Outer arc " + Fixed(p.outerArc) + ": " + largeName + " end, belly side");
        row("Inner arc " + Fixed(p.innerArc) + ": " + smallName + " end");
    } else {
        row("Inside " + p.diamIn + " " + inIn + ", mean " + Fixed(p.dLarge) + " (sheet " +
            sheetText + ")");
        row("Width pi x " + Fixed(p.dLarge) + (p.count > 1 ? " / " + std::to_string(p.count) : "") +
            " = " + Fixed(p.rectWidth));
        row("Height h " + Fixed(p.length));
        if (p.fromTube)
            row("Or cut from tube, " + Fixed(p.insideLarge) + " inside");
    }
    row(p.seam > 0 ? "Seam allowance " + Fixed(p.seam, 1) + " on the right edge"
                   : "Butt weld: no allowance");

    p.figures.clear();
    for (const auto& [text, bold] : rows)
        p.figures.push_back(
            {{0, 0}, bold ? Title_Height : Line_Height, text, Text_Anchor::LeftBaseline, bold});
    double blockHeight = 0;
    for (const auto& f : p.figures)
        blockHeight += f.height * Line_Step;
    // Beside a tall piece, beneath a wide one: the frame stays compact either way.
    Place_Figure_Block(p,
                       p.outline.height() > p.outline.width() && p.outline.height() >= blockHeight);
}

std::string Name_Text(const Flat_Piece& p) {
    std::string n = p.section;
    if (p.count > 1)
        n += "  " + std::to_string(p.index) + "/" + std::to_string(p.count);
    return n;
}

// The section name, centred on the centre line at height `mid` of a strip whose usable
// half-width at height y is halfWidth(y), between `low` and `high`. Returns the cap height
// used (0: no room), and leaves a gap in the centre line around it.
template <typename HalfWidth>
double Place_Name(Flat_Piece& p, double cx, double low, double high, HalfWidth halfWidth) {
    const std::string name = Name_Text(p);
    const double mid = (low + high) / 2;
    double h = std::min(Name_Max, (high - low) / 4);
    for (; h >= Name_Min; h *= 0.9) {
        const double half = Text_Width_Estimate(name, h) / 2 + 2;
        const double top = mid + 0.8 * h;
        const double bottom = mid - 0.8 * h;
        if (half <= halfWidth(bottom) && half <= halfWidth(top) && top < high && bottom > low)
            break;
    }
    if (h < Name_Min)
        return 0;
    p.texts.push_back({{cx, mid}, h, name, Text_Anchor::Centre, true});
    return h;
}

void Add_Centre_Line(Flat_Piece& p, Pt from, Pt to, double gapMid, double gapHalf) {
    // from and to lie on one vertical line; the gap is the band around the name.
    if (gapHalf <= 0) {
        p.lines.push_back({from, to, Line_Role::CentreLine});
        return;
    }
    p.lines.push_back({from, {from.x, gapMid - gapHalf}, Line_Role::CentreLine});
    p.lines.push_back({{to.x, gapMid + gapHalf}, to, Line_Role::CentreLine});
}

void Build_Sector(Flat_Piece& p) {
    const double phi = p.angle;
    const double right = Pi / 2 - phi / 2; // angle of the right straight edge
    const double left = Pi / 2 + phi / 2;
    const double ro = p.rOuter;
    const double ri = p.rInner;
    const Pt o{0, 0};

    p.arcs.push_back({o, ro, right, left, Line_Role::Outline});
    p.arcs.push_back({o, ri, right, left, Line_Role::Outline});
    p.lines.push_back({Polar(ri, left), Polar(ro, left), Line_Role::Outline});
    if (p.seam > 0) {
        // The strip: a rectangle of the seam width laid outside the right edge.
        const Pt u = Polar(1, right);
        const Pt n{u.y, -u.x}; // outward normal of the right edge
        const Pt a = Polar(ri, right);
        const Pt b = Polar(ro, right);
        const Pt c = Add(b, Scale(n, p.seam));
        const Pt d = Add(a, Scale(n, p.seam));
        p.lines.push_back({a, b, Line_Role::SeamLine});
        p.lines.push_back({a, d, Line_Role::Outline});
        p.lines.push_back({d, c, Line_Role::Outline});
        p.lines.push_back({c, b, Line_Role::Outline});
    } else {
        p.lines.push_back({Polar(ri, right), Polar(ro, right), Line_Role::Outline});
    }

    const double tick = std::min(Mark_Length, p.slant / 4);
    for (double g : Mark_Fractions(p.index, p.count)) {
        const double a = left - g * phi;
        p.lines.push_back({Polar(ro, a), Polar(ro - tick, a), Line_Role::Mark});
        p.lines.push_back({Polar(ri, a), Polar(ri + tick, a), Line_Role::Mark});
    }

    // The name sits on the centre line, between the ticks.
    const double low = ri + tick + 1;
    const double high = ro - tick - 1;
    const double halfPhi = std::min(phi / 2, Pi / 2);
    const double h = Place_Name(p, 0, low, high, [&](double y) {
        // Half-width inside the sector at height y: bounded by the straight edges and by
        // the outer arc, kept clear of the ticks on it.
        const double byEdge = y * std::tan(halfPhi);
        const double byArc = y < high ? std::sqrt(high * high - y * y) : 0;
        return std::min(phi >= Pi ? byArc : byEdge, byArc) - 2;
    });
    Add_Centre_Line(p, {0, ri}, {0, ro}, (low + high) / 2, h > 0 ? 1.1 * h : 0);

    p.outline = Outline_Box(p);
}

void Build_Rectangle(Flat_Piece& p) {
    const double w = p.rectWidth;
    const double h = p.length;
    p.lines.push_back({{0, 0}, {w, 0}, Line_Role::Outline});
    p.lines.push_back({{0, h}, {w, h}, Line_Role::Outline});
    p.lines.push_back({{0, 0}, {0, h}, Line_Role::Outline});
    if (p.seam > 0) {
        p.lines.push_back({{w, 0}, {w, h}, Line_Role::SeamLine});
        p.lines.push_back({{w, 0}, {w + p.seam, 0}, Line_Role::Outline});
        p.lines.push_back({{w + p.seam, 0}, {w + p.seam, h}, Line_Role::Outline});
        p.lines.push_back({{w + p.seam, h}, {w, h}, Line_Role::Outline});
    } else {
        p.lines.push_back({{w, 0}, {w, h}, Line_Role::Outline});
    }

    const double tick = std::min(Mark_Length, h / 4);
    for (double g : Mark_Fractions(p.index, p.count)) {
        const double x = g * w;
        p.lines.push_back({{x, h}, {x, h - tick}, Line_Role::Mark});
        p.lines.push_back({{x, 0}, {x, tick}, Line_Role::Mark});
    }
    const double low = tick + 1;
    const double high = h - tick - 1;
    const double nameH = Place_Name(p, w / 2, low, high, [&](double) { return w / 2 - 2; });
    Add_Centre_Line(p, {w / 2, 0}, {w / 2, h}, (low + high) / 2, nameH > 0 ? 1.1 * nameH : 0);

    p.outline = Outline_Box(p);
}

} // namespace

void Place_Figure_Block(Flat_Piece& p, bool beside) {
    p.figuresBeside = beside;
    const double x = beside ? p.outline.x1 + Block_Gap : p.outline.x0;
    double y = beside ? p.outline.y1 : p.outline.y0 - Block_Gap;
    for (auto& f : p.figures) {
        y -= f.height;
        f.at = {x, y};
        y -= f.height * (Line_Step - 1);
    }
    p.frame = p.outline;
    for (const auto& f : p.figures) {
        Extend(p.frame, {f.at.x + Text_Width_Estimate(f.text, f.height), f.at.y + f.height});
        Extend(p.frame, {f.at.x, f.at.y - 0.3 * f.height}); // descenders
    }
}

std::string Pattern_Design_Line(const Chamber_Design& design) {
    std::string line = design.input.PipeName.empty() ? "" : design.input.PipeName + ": ";
    return line + (design.input.ThreeStage ? "three" : "two") + "-stage diffuser, tuned length " +
           Make_Result_Table(design.state).TexTotLth + " mm";
}

const std::vector<std::string>& Piece_Table_Header() {
    static const std::vector<std::string> header = {
        "Piece",      "Shape", "Inside d / D", "Mean d / D", "Length h",   "Slant s",
        "Half-angle", "Ri",    "Ro",           "Sector",     "Per section"};
    return header;
}

std::vector<std::string> Not_Cut_Table_Row(const Chamber_Section& s) {
    return {s.name + " " + s.role, "no piece: " + Fixed(s.length) + " mm long, nothing to cut"};
}

std::string Not_Cut_Sentence(const Chamber_Section& s) {
    return "No piece for " + s.name + " (" + s.role + "): " + Fixed(s.length) +
           " mm long, shorter than " + Fixed(Least_Cut_Length) + " mm, nothing to cut.";
}

std::vector<std::string> Piece_Table_Row(const Flat_Piece& p) {
    const auto degrees = [](double radians, int decimals) {
        return Fixed(radians * 180 / Pi, decimals) + "\xC2\xB0";
    };
    std::string name = p.section + " " + p.role;
    if (p.count > 1)
        name += " " + std::to_string(p.index) + "/" + std::to_string(p.count);
    const bool sector = p.sector;
    return {name,
            sector   ? "sector"
            : p.cone ? "rectangle"
                     : "rectangle or tube",
            Fixed(p.insideSmall) + (sector ? " / " + Fixed(p.insideLarge) : ""),
            Fixed(p.dSmall) + (sector ? " / " + Fixed(p.dLarge) : ""),
            Fixed(p.length),
            Fixed(p.slant),
            degrees(p.halfAngle, 2),
            sector ? Fixed(p.rInner) : "-",
            sector ? Fixed(p.rOuter) : "-",
            sector ? degrees(p.angle, 3) : "-",
            std::to_string(p.count)};
}

double Text_Width_Estimate(const std::string& text, double height) {
    // Per character, in cap heights, for a sans face: capitals and the wide lower-case
    // letters at their widest, digits and other lower case a little above theirs, blanks
    // and punctuation at half; this also holds for the bold face.
    double units = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte of a UTF-8 sequence
        if ((c >= 'A' && c <= 'Z') || c == 'm' || c == 'w')
            units += 1.3;
        else if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '(' || c == ')' ||
                 c == '/' || c == 'i' || c == 'l' || c == 'j' || c == 't' || c == 'f' || c == 'r' ||
                 c == '-')
            units += 0.6;
        else
            units += 0.85;
    }
    return units * height;
}

Pattern_Layer Layer_Of(Line_Role role) {
    return role == Line_Role::Outline ? Pattern_Layer::Cut : Pattern_Layer::Etch;
}

Line_Style Style_Of(Line_Role role) {
    switch (role) {
    case Line_Role::Outline:
        return {0.35, 0, {}};
    case Line_Role::SeamLine:
        return {0.25, 0, {4, 2}};
    case Line_Role::CentreLine:
        return {0.2, 80, {8, 1.5, 1, 1.5}};
    case Line_Role::Mark:
        return {0.3, 0, {}};
    }
    return {};
}

std::vector<Chamber_Section> Chamber_Sections(bool threeStage, const DsnResult& r) {
    // Station diameters (index into Diam) at the start and end of each section, in order.
    struct Row {
        const char* role;
        int from, to;
    };
    static const Row two[] = {{"header", 0, 0},           {"diffuser stage 1", 0, 1},
                              {"diffuser stage 2", 1, 2}, {"belly", 2, 2},
                              {"rear cone", 2, 3},        {"tail pipe", 3, 3}};
    static const Row three[] = {{"header", 0, 0},
                                {"diffuser stage 1", 0, 1},
                                {"diffuser stage 2", 1, 2},
                                {"diffuser stage 3", 2, 3},
                                {"belly", 3, 3},
                                {"rear cone", 3, 4},
                                {"tail pipe", 4, 4}};
    const Row* rows = threeStage ? three : two;
    const int n = threeStage ? 7 : 6;

    std::vector<Chamber_Section> out;
    for (int j = 0; j < n; ++j) {
        Chamber_Section s;
        s.name = "L" + std::to_string(j + 1);
        s.role = rows[j].role;
        s.cone = rows[j].from != rows[j].to;
        s.diamIn = "D" + std::to_string(rows[j].from + 1);
        s.diamOut = "D" + std::to_string(rows[j].to + 1);
        s.diamInIndex = rows[j].from;
        s.diamOutIndex = rows[j].to;
        s.lengthIndex = j;
        s.insideIn = r.Diam[rows[j].from];
        s.insideOut = r.Diam[rows[j].to];
        s.length = r.Lnth[j];
        out.push_back(s);
    }
    return out;
}

std::vector<Flat_Piece> Develop_Section(const Chamber_Section& sec, const Pattern_Options& opt) {
    const double t = opt.sheet;
    const double small = std::min(sec.insideIn, sec.insideOut);
    const double large = std::max(sec.insideIn, sec.insideOut);
    const double d = small + t;
    const double D = large + t;
    const double h = sec.length;
    const bool sector = sec.cone && D > d;
    const int count = sec.cone ? opt.pieces : 1;

    Flat_Piece base;
    base.section = sec.name;
    base.role = sec.role;
    base.diamIn = sec.diamIn;
    base.diamOut = sec.diamOut;
    base.cone = sec.cone;
    base.fromTube = !sec.cone;
    base.sector = sector;
    base.count = count;
    base.largeEndIn = sec.insideIn > sec.insideOut;
    base.insideSmall = small;
    base.insideLarge = large;
    base.dSmall = d;
    base.dLarge = D;
    base.length = h;
    base.seam = opt.seam;
    if (sector) {
        const double half = (D - d) / 2;
        base.slant = std::sqrt(h * h + half * half);
        base.halfAngle = std::atan2(half, h);
        base.rOuter = base.slant * D / (D - d);
        base.rInner = base.rOuter - base.slant;
        base.coneAngle = Pi * D / base.rOuter;
        base.angle = base.coneAngle / count;
        base.outerArc = base.rOuter * base.angle;
        base.innerArc = base.rInner * base.angle;
        base.chordOuter = 2 * base.rOuter * std::sin(base.angle / 2);
        base.chordInner = 2 * base.rInner * std::sin(base.angle / 2);
    } else {
        base.slant = h;
        base.rectWidth = Pi * D / count;
        base.outerArc = base.innerArc = base.rectWidth;
        base.chordOuter = base.chordInner = base.rectWidth;
    }

    std::vector<Flat_Piece> out;
    for (int k = 1; k <= count; ++k) {
        Flat_Piece p = base;
        p.index = k;
        if (sector)
            Build_Sector(p);
        else
            Build_Rectangle(p);
        Add_Figure_Block(p, Fixed(t));
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<Flat_Piece> Develop_Chamber(const std::vector<Chamber_Section>& sections,
                                        const Pattern_Options& opt) {
    std::vector<Flat_Piece> out;
    for (const auto& s : sections) {
        auto pieces = Develop_Section(s, opt);
        for (auto& p : pieces)
            out.push_back(std::move(p));
    }
    return out;
}
