#include "fabrication/pattern_dxf.h"

#include "common/numbers.h"

#include <dl_dxf.h>

#include "common/display_format.h"

#include <cmath>
#include <string>

namespace {

// AutoCAD colour numbers of the layers.
constexpr int Colour_Cut = 7;   // black on white, white on black
constexpr int Colour_Etch = 5;  // blue
constexpr int Colour_Label = 3; // green
constexpr int By_Layer = 256;

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

double Degrees(double radians) {
    return radians * 180 / Pi;
}

// dxflib's ASCII writer with the file left out: every group goes into a text in memory,
// each real with sixteen decimals less their trailing zeros and a decimal point whatever
// the locale.
class Text_Writer : public DL_WriterA {
public:
    explicit Text_Writer(DL_Codes::version version) : DL_WriterA("", version) {}

    void dxfReal(int gc, double value) const override {
        std::string s = Format_Number(value, "0.0000000000000000");
        while (s.size() > 2 && s.back() == '0' && s[s.size() - 2] != '.')
            s.pop_back();
        dxfString(gc, s);
    }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        static const char hex[] = "0123456789ABCDEF";
        std::string s;
        auto v = static_cast<unsigned>(value);
        do {
            s.insert(s.begin(), hex[v % 16]);
            v /= 16;
        } while (v);
        dxfString(gc, s);
    }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
    void dxfString(int gc, const std::string& value) const override {
        text_ += gc < 10 ? "  " : gc < 100 ? " " : "";
        text_ += std::to_string(gc) + "\n" + value + "\n";
    }

    const std::string& text() const { return text_; }

private:
    mutable std::string text_;
};

} // namespace

std::string Pattern_Dxf(const Chamber_Patterns& set, const Sheet_Layout& layout) {
    DL_Dxf dxf;
    const DL_Codes::version version = DL_Codes::AC1009; // R12
    // dxflib takes the version from out(), which then finds no file to open; the drawing
    // goes into memory instead.
    delete dxf.out("", version);
    Text_Writer writer(version);
    Text_Writer* dw = &writer;

    dxf.writeHeader(*dw);
    dw->dxfString(9, "$INSUNITS"); // drawing units: millimetres
    dw->dxfInt(70, 4);
    dw->dxfString(9, "$EXTMIN");
    dw->dxfReal(10, 0.0);
    dw->dxfReal(20, 0.0);
    dw->dxfString(9, "$EXTMAX");
    dw->dxfReal(10, layout.width);
    dw->dxfReal(20, layout.height);
    dw->sectionEnd();

    dw->sectionTables();
    dxf.writeVPort(*dw);

    dw->tableLinetypes(1);
    dxf.writeLinetype(*dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw->tableEnd();

    dw->tableLayers(4);
    dxf.writeLayer(*dw, DL_LayerData("0", 0), DL_Attributes("", Colour_Cut, 0, "CONTINUOUS", 1.0));
    dxf.writeLayer(*dw, DL_LayerData("CUT", 0),
                   DL_Attributes("", Colour_Cut, 0, "CONTINUOUS", 1.0));
    dxf.writeLayer(*dw, DL_LayerData("ETCH", 0),
                   DL_Attributes("", Colour_Etch, 0, "CONTINUOUS", 1.0));
    dxf.writeLayer(*dw, DL_LayerData("LABEL", 0),
                   DL_Attributes("", Colour_Label, 0, "CONTINUOUS", 1.0));
    dw->tableEnd();

    dw->tableStyle(1);
    dxf.writeStyle(*dw, DL_StyleData("STANDARD", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw->tableEnd();

    dxf.writeView(*dw);
    dxf.writeUcs(*dw);
    dw->tableAppid(1);
    dxf.writeAppid(*dw, "ACAD");
    dw->tableEnd();
    dxf.writeDimStyle(*dw, 2.5, 0.625, 0.625, 0.625, 2.5);
    dw->sectionEnd();

    dw->sectionBlocks();
    dw->sectionEnd();

    dw->sectionEntities();
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        const Flat_Piece& p = set.pieces[i];
        const Pt off = layout.offsets[i];
        for (const auto& l : p.lines) {
            const DL_Attributes attr(Layer_Name(Layer_Of(l.role)), By_Layer, 0, "BYLAYER", 1.0);
            dxf.writeLine(
                *dw, DL_LineData(l.a.x + off.x, l.a.y + off.y, 0, l.b.x + off.x, l.b.y + off.y, 0),
                attr);
        }
        for (const auto& a : p.arcs) {
            const DL_Attributes attr(Layer_Name(Layer_Of(a.role)), By_Layer, 0, "BYLAYER", 1.0);
            dxf.writeArc(*dw,
                         DL_ArcData(a.centre.x + off.x, a.centre.y + off.y, 0, a.radius,
                                    Degrees(a.start), Degrees(a.end)),
                         attr);
        }
        std::vector<Pattern_Text> texts = p.texts;
        texts.insert(texts.end(), p.figures.begin(), p.figures.end());
        for (const auto& t : texts) {
            const DL_Attributes attr(Layer_Name(Pattern_Layer::Label), By_Layer, 0, "BYLAYER", 1.0);
            const double x = t.at.x + off.x;
            const double y = t.at.y + off.y;
            const bool centre = t.anchor == Text_Anchor::Centre;
            // Centred text is placed by its alignment point (middle of the capitals).
            dxf.writeText(*dw,
                          DL_TextData(x, y, 0, x, y, 0, t.height, 1.0, 0, centre ? 1 : 0,
                                      centre ? 2 : 0, Dxf_Text(t.text), "STANDARD", 0.0),
                          attr);
        }
    }
    dw->sectionEnd();
    dw->dxfEOF();
    return writer.text();
}
