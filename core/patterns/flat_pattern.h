#pragma once
// Flat patterns of the chamber's sheet-metal parts: every cone developed into the annular
// sector it is rolled from, every parallel section into its rectangle. Pure geometry in
// double precision, millimetres, in a y-up frame; the renderers only draw what is here.
//
// A sheet of thickness t is rolled on its mean diameter, inside diameter + t. For a cone
// with mean end diameters d < D and axial length h:
//   slant s = sqrt(h^2 + ((D - d) / 2)^2), outer radius Ro = s D / (D - d),
//   inner radius Ri = Ro - s, sweep angle theta = pi D / Ro,
// so the outer arc Ro theta is pi D and the inner arc Ri theta is pi d. A cone whose ends
// are equal, and every parallel section, is a rectangle pi D wide and h high.

#include "core/chamber/design_pipeline.h"
#include "core/fields/display_format.h"

#include <string>
#include <vector>

struct Pattern_Options {
    double sheet = 1.0; // sheet thickness t, mm
    // Seam allowance, mm: an extra strip of this width added outside one straight edge of
    // every piece (the right-hand one as drawn). The developed cone itself, its arcs and
    // radii, stay exact; the strip is reported separately. 0 for a butt-welded seam.
    double seam = 0.0;
    int pieces = 1; // equal pieces per cone, for cones too wide for the sheet
};

// The shortest section worth a piece of its own, mm.
inline constexpr double Least_Cut_Length = 0.05;

// One section of the chamber behind the barrel flange, as the dimension table names it.
struct Chamber_Section {
    std::string name;  // "L1" .. "L7"
    std::string role;  // "header", "diffuser stage 1", ..., "belly", "rear cone", "tail pipe"
    bool cone = false; // a cone (diffuser stage or rear cone) rather than a parallel section
    std::string diamIn, diamOut; // names of the end diameters along the gas flow, "D1" ..
    double insideIn = 0;         // inside diameter at the end nearer the engine, mm
    double insideOut = 0;        // inside diameter at the end nearer the tail, mm
    double length = 0;           // axial length h, mm
    int diamInIndex = 0;         // the end diameters' indexes in Diam
    int diamOutIndex = 0;
    int lengthIndex = 0; // the length's index in Lnth
};

// The sections of a computed design, from the header to the tail pipe: six for a
// two-stage design, seven for a three-stage one.
std::vector<Chamber_Section> Chamber_Sections(bool threeStage, const DsnResult& r);

struct Pt {
    double x = 0;
    double y = 0;
};

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
};

// What a line of a pattern is for; the layer and the line style follow from it.
enum class Line_Role {
    Outline,    // cut
    SeamLine,   // where the developed cone ends and the seam allowance begins; etched
    CentreLine, // etched
    Mark,       // alignment mark on an end; etched
};

enum class Pattern_Layer { Cut, Etch, Label };

Pattern_Layer Layer_Of(Line_Role role);

// How a line of each role is drawn on paper and in the SVG sheet: pen width, grey level
// (0 black, 255 white) and the dash pattern in millimetres (none: solid).
struct Line_Style {
    double width = 0.3;
    int grey = 0;
    std::vector<double> dash;
};

Line_Style Style_Of(Line_Role role);

struct Pattern_Line {
    Pt a, b;
    Line_Role role = Line_Role::Outline;
};

// A circular arc, counter-clockwise from `start` to `end` (radians, end > start).
struct Pattern_Arc {
    Pt centre;
    double radius = 0;
    double start = 0;
    double end = 0;
    Line_Role role = Line_Role::Outline;
    double length() const { return radius * (end - start); }
};

enum class Text_Anchor {
    LeftBaseline, // `at` is the left end of the baseline
    Centre,       // `at` is the centre of the text's cap height
};

// Text in ASCII, plus the degree sign (UTF-8) that the DXF writer turns into its own code.
struct Pattern_Text {
    Pt at;
    double height = 0; // cap height, mm
    std::string text;
    Text_Anchor anchor = Text_Anchor::LeftBaseline;
    bool bold = false;
};

// A conservative estimate of a text's width for a sans-serif face: layouts that must not
// overlap use it, and the painters never draw wider than it.
double Text_Width_Estimate(const std::string& text, double height);

struct Flat_Piece {
    // Which part.
    std::string section; // "L2" ..
    std::string role;    // "diffuser stage 1" ..
    std::string diamIn, diamOut;
    bool cone = false;       // from a cone of the design
    bool fromTube = false;   // a parallel section: may be cut from tube instead
    bool sector = false;     // an annular sector (else a rectangle)
    int index = 1;           // 1-based piece number within its section
    int count = 1;           // pieces of the section
    bool largeEndIn = false; // the large end is the end nearer the engine (the rear cone)

    // Figures, mm and radians. d and D are the mean diameters (inside + sheet).
    double insideSmall = 0, insideLarge = 0;
    double dSmall = 0, dLarge = 0;
    double length = 0;     // h
    double slant = 0;      // s; a rectangle's height is h
    double halfAngle = 0;  // the cone's half-angle at its apex, 0 for a parallel section
    double rOuter = 0;     // Ro (sectors)
    double rInner = 0;     // Ri (sectors)
    double coneAngle = 0;  // theta of the whole cone (sectors)
    double angle = 0;      // sweep of this piece (sectors)
    double outerArc = 0;   // length of this piece's large end: pi D / count
    double innerArc = 0;   // length of its small end: pi d / count
    double chordOuter = 0; // straight distance between the ends of the outer arc
    double chordInner = 0; // the same for the inner arc
    double rectWidth = 0;  // rectangles: pi D / count
    double seam = 0;       // width of the seam allowance strip, 0 for none

    // Drawing in the piece's own frame (y up). Sectors have their apex at the origin and
    // their centre line on the positive y axis; rectangles their lower left corner there.
    std::vector<Pattern_Line> lines;
    std::vector<Pattern_Arc> arcs;
    std::vector<Pattern_Text> texts;   // on the piece: its name
    std::vector<Pattern_Text> figures; // the figure block, beside or beneath the outline
    bool figuresBeside = false;
    Box outline; // the cut outline, seam strip included
    Box frame;   // the outline and the figure block
};

// Puts the figure block beside the outline (to its right, tops level) or beneath it
// (left edges level), 8 mm clear of it, and sets the frame around both.
void Place_Figure_Block(Flat_Piece& p, bool beside);

// Develops every section of the design: each cone into `pieces` equal pieces, each
// parallel section into one rectangle. Options must have passed Check_Pattern_Options.
std::vector<Flat_Piece> Develop_Chamber(const std::vector<Chamber_Section>& sections,
                                        const Pattern_Options& opt);

// Develops one section into its pieces.
std::vector<Flat_Piece> Develop_Section(const Chamber_Section& sec, const Pattern_Options& opt);

// The headers of the table of pieces, and the piece's row in it: piece, shape, inside and
// mean diameters, length, slant, half-angle, Ri, Ro, sector angle and pieces per section,
// as the patterns print the figures.
const std::vector<std::string>& Piece_Table_Header();
std::vector<std::string> Piece_Table_Row(const Flat_Piece& p);

// The design the patterns belong to, in one line: "GP 125: three-stage diffuser, tuned
// length 813.7 mm".
std::string Pattern_Design_Line(const Chamber_Design& design);

// A section too short to cut: its row in the table of pieces (its name, and that it has no
// piece), and the sentence the printed summary and the command line give.
std::vector<std::string> Not_Cut_Table_Row(const Chamber_Section& s);
std::string Not_Cut_Sentence(const Chamber_Section& s);
