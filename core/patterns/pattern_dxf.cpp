#include "core/patterns/pattern_dxf.h"

#include "core/fields/numbers.h"

#include <string>

namespace {

// AutoCAD colour numbers of the layers.
constexpr int Colour_Cut = 7;   // black on white, white on black
constexpr int Colour_Etch = 5;  // blue
constexpr int Colour_Label = 3; // green

// Figures to the nanometre: far below what a plasma torch or a laser can show.
constexpr int Decimals = 6;

const char* Layer_Name(Pattern_Layer layer) {
    switch (layer) {
    case Pattern_Layer::Cut:
        return "CUT";
    case Pattern_Layer::Etch:
        return "ETCH";
    case Pattern_Layer::Label:
        return "LABEL";
    }
    return "0";
}

// R12 text is single-byte: the degree sign becomes the drawing code "%%d", anything else
// outside ASCII a question mark.
std::string Dxf_Text(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xB0) {
            out += "%%d";
            ++i;
        } else if ((c & 0xC0) != 0x80) {
            out += '?';
        }
    }
    return out;
}

// The groups of an ASCII DXF file: each a code right-aligned in three places on a line of
// its own, then its value on the next.
class Dxf_Groups {
public:
    Dxf_Groups& text(int code, const std::string& value) {
        out_ += code < 10 ? "  " : code < 100 ? " " : "";
        out_ += std::to_string(code) + "\n" + value + "\n";
        return *this;
    }
    Dxf_Groups& number(int code, int value) { return text(code, std::to_string(value)); }
    Dxf_Groups& real(int code, double value) { return text(code, Short_Fixed(value, Decimals)); }
    Dxf_Groups& point(int code, Pt p) {
        return real(code, p.x).real(code + 10, p.y).real(code + 20, 0);
    }
    Dxf_Groups& entity(const char* kind, Pattern_Layer layer) {
        return text(0, kind).text(8, Layer_Name(layer));
    }
    Dxf_Groups& section(const char* name) { return text(0, "SECTION").text(2, name); }
    Dxf_Groups& table(const char* name, int entries) {
        return text(0, "TABLE").text(2, name).number(70, entries);
    }
    Dxf_Groups& layer(const char* name, int colour) {
        return text(0, "LAYER")
            .text(2, name)
            .number(70, 0)
            .number(62, colour)
            .text(6, "CONTINUOUS");
    }

    std::string& bytes() { return out_; }

private:
    std::string out_;
};

} // namespace

std::string Pattern_Dxf(const Chamber_Patterns& set, const Sheet_Layout& layout) {
    Dxf_Groups dxf;
    dxf.section("HEADER");
    dxf.text(9, "$ACADVER").text(1, "AC1009"); // R12, which every cutting program reads
    dxf.text(9, "$INSUNITS").number(70, 4);    // drawing units: millimetres
    dxf.text(9, "$EXTMIN").point(10, {0, 0});
    dxf.text(9, "$EXTMAX").point(10, {layout.width, layout.height});
    dxf.text(0, "ENDSEC");

    dxf.section("TABLES");
    dxf.table("LTYPE", 1).text(0, "LTYPE").text(2, "CONTINUOUS").number(70, 0);
    dxf.text(3, "Solid line").number(72, 65).number(73, 0).real(40, 0).text(0, "ENDTAB");
    dxf.table("LAYER", 4).layer("0", Colour_Cut).layer("CUT", Colour_Cut);
    dxf.layer("ETCH", Colour_Etch).layer("LABEL", Colour_Label).text(0, "ENDTAB");
    dxf.table("STYLE", 1).text(0, "STYLE").text(2, "STANDARD").number(70, 0).real(40, 0);
    dxf.real(41, 1).real(50, 0).number(71, 0).real(42, 2.5).text(3, "txt").text(4, "");
    dxf.text(0, "ENDTAB").text(0, "ENDSEC");

    dxf.section("BLOCKS").text(0, "ENDSEC");

    dxf.section("ENTITIES");
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        const Flat_Piece& p = set.pieces[i];
        const Pt off = layout.offsets[i];
        const auto place = [&](Pt q) { return Pt{q.x + off.x, q.y + off.y}; };
        for (const auto& l : p.lines)
            dxf.entity("LINE", Layer_Of(l.role)).point(10, place(l.a)).point(11, place(l.b));
        for (const auto& a : p.arcs)
            dxf.entity("ARC", Layer_Of(a.role))
                .point(10, place(a.centre))
                .real(40, a.radius)
                .real(50, a.start * 180 / Pi)
                .real(51, a.end * 180 / Pi);
        const auto write = [&](const Pattern_Text& t) {
            const Pt at = place(t.at);
            dxf.entity("TEXT", Pattern_Layer::Label).point(10, at).real(40, t.height);
            dxf.text(1, Dxf_Text(t.text)).text(7, "STANDARD");
            // Centred text is placed by its alignment point: the middle of the capitals.
            if (t.anchor == Text_Anchor::Centre)
                dxf.number(72, 1).point(11, at).number(73, 2);
        };
        for (const auto& t : p.texts)
            write(t);
        for (const auto& t : p.figures)
            write(t);
    }
    dxf.text(0, "ENDSEC").text(0, "EOF");
    return std::move(dxf.bytes());
}
