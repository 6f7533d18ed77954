// The SVG and DXF sheets read back by other readers: dxflib finds an R12 drawing in
// millimetres with the three layers, and every line, arc and text on its layer where the
// layout puts it; Qt's XML reader finds every path and
// text of the SVG at the same place with y running down, on a sheet of the layout's size.

#include "core/patterns/pattern_dxf.h"
#include "core/patterns/pattern_svg.h"
#include "tests/sample_designs.h"

#include <QXmlStreamReader>
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

// The options as a test's name shows them (the struct's padding bytes would change it from
// build to build).
void PrintTo(const Pattern_Options& o, std::ostream* os) {
    *os << o.sheet << " mm sheet, " << o.seam << " mm seam, " << o.pieces << " pieces";
}

namespace {

// One drawn thing: its kind and layer (or SVG element), its figures and its text.
struct Drawn {
    std::string kind;
    std::vector<double> figures;
    std::string text = "";
};

void Expect_Same(const std::vector<Drawn>& got, const std::vector<Drawn>& want, double within) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].kind + "|" + got[i].text, want[i].kind + "|" + want[i].text);
        ASSERT_EQ(got[i].figures.size(), want[i].figures.size());
        for (size_t k = 0; k < got[i].figures.size(); ++k)
            EXPECT_NEAR(got[i].figures[k], want[i].figures[k], within) << k;
    }
}

class Dxf_Reader : public DL_CreationAdapter {
public:
    std::vector<Drawn> drawn;
    std::string tables; // the version, the units, the layers and the text styles
    void setVariableString(const std::string& key, const std::string& value, int) override {
        tables += key + " " + value + " ";
    }
    void setVariableInt(const std::string& key, int value, int) override {
        tables += key + " " + std::to_string(value) + " ";
    }
    void addLayer(const DL_LayerData& d) override { tables += d.name + " "; }
    void addTextStyle(const DL_StyleData& d) override { tables += d.name; }
    void addLine(const DL_LineData& d) override { add("LINE", {d.x1, d.y1, d.x2, d.y2}); }
    void addArc(const DL_ArcData& d) override {
        add("ARC", {d.cx, d.cy, d.radius, d.angle1, d.angle2});
    }
    void addText(const DL_TextData& d) override {
        // A centred text is placed by its alignment point.
        const bool centre = d.hJustification == 1 && d.vJustification == 2;
        add("TEXT", {centre ? d.apx : d.ipx, centre ? d.apy : d.ipy, d.height, centre ? 1. : 0.},
            d.text);
    }

private:
    void add(const std::string& kind, std::vector<double> v, const std::string& text = "") {
        drawn.push_back({kind + "/" + getAttributes().getLayer(), std::move(v), text});
    }
};

// Every line (ends), arc (centre, radius, start and end in degrees) and text (anchor,
// cap height, 1 when centred) of the pieces where the layout puts them, y up, in the order
// the files hold them.
std::vector<Drawn> Placed(const Chamber_Patterns& set, const Sheet_Layout& layout) {
    std::vector<Drawn> placed;
    for (size_t i = 0; i < set.pieces.size(); ++i) {
        const Flat_Piece& p = set.pieces[i];
        const Pt o = layout.offsets[i];
        const auto layer = [](Line_Role r) {
            return Layer_Of(r) == Pattern_Layer::Cut ? "/CUT" : "/ETCH";
        };
        for (const auto& l : p.lines)
            placed.push_back({std::string("LINE") + layer(l.role),
                              {l.a.x + o.x, l.a.y + o.y, l.b.x + o.x, l.b.y + o.y}});
        for (const auto& a : p.arcs)
            placed.push_back({std::string("ARC") + layer(a.role),
                              {a.centre.x + o.x, a.centre.y + o.y, a.radius, a.start * 180 / M_PI,
                               a.end * 180 / M_PI}});
        for (const auto* texts : {&p.texts, &p.figures})
            for (const auto& t : *texts)
                placed.push_back({"TEXT/LABEL",
                                  {t.at.x + o.x, t.at.y + o.y, t.height,
                                   t.anchor == Text_Anchor::Centre ? 1. : 0.},
                                  t.text});
    }
    return placed;
}

class DrawingFiles : public ::testing::TestWithParam<Pattern_Options> {
protected:
    Chamber_Patterns set =
        Make_Chamber_Patterns(Calc_Design(Sample_Form(true, true)).value, GetParam());
    Sheet_Layout layout = Lay_Out_Side_By_Side(set.pieces);
};

TEST_P(DrawingFiles, DxflibReadsEveryLineArcAndTextWhereTheLayoutPutsIt) {
    std::vector<Drawn> want = Placed(set, layout);
    for (Drawn& d : want) // R12 text is single-byte: the degree sign is its drawing code
        for (size_t deg; (deg = d.text.find("\xC2\xB0")) != std::string::npos;)
            d.text.replace(deg, 2, "%%d");
    std::istringstream file(Pattern_Dxf(set, layout));
    Dxf_Reader reader;
    DL_Dxf dxf;
    ASSERT_TRUE(dxf.in(file, &reader));
    EXPECT_EQ(reader.tables, "$ACADVER AC1009 $INSUNITS 4 0 CUT ETCH LABEL STANDARD"); // mm
    Expect_Same(reader.drawn, want, 1e-6);
}

// Each path starts at its line's first end or its arc's start; a text stands on its
// baseline, half the cap height below a centred text's anchor.
TEST_P(DrawingFiles, EveryPathAndTextOfTheSvgStartsWhereTheLayoutPutsIt) {
    const double width = std::ceil(layout.width * 10) / 10;
    const double height = std::ceil(layout.height * 10) / 10;
    std::vector<Drawn> want;
    for (const Drawn& d : Placed(set, layout)) {
        const std::vector<double>& f = d.figures;
        if (d.kind[0] == 'L')
            want.push_back({"path", {f[0], height - f[1]}});
        else if (d.kind[0] == 'A')
            want.push_back({"path",
                            {f[0] + f[2] * std::cos(f[3] * M_PI / 180),
                             height - f[1] - f[2] * std::sin(f[3] * M_PI / 180)}});
        else
            want.push_back({"text", {f[0], height - f[1] + f[3] * f[2] / 2}, d.text});
    }
    QXmlStreamReader xml(QByteArray::fromStdString(Pattern_Svg(set, layout)));
    std::vector<Drawn> got;
    std::string size;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        const QString name = xml.name().toString();
        if (name == "svg") {
            size = (a.value("width").toString() + " " + a.value("height").toString() + " " +
                    a.value("viewBox").toString())
                       .toStdString();
        } else if (name == "path") {
            const QStringList d = a.value("d").toString().split(' ');
            got.push_back({"path", {d[1].toDouble(), d[2].toDouble()}});
        } else if (name == "text") {
            got.push_back({"text",
                           {a.value("x").toDouble(), a.value("y").toDouble()},
                           xml.readElementText().toStdString()});
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    std::ostringstream expected;
    expected << width << "mm " << height << "mm 0 0 " << width << " " << height;
    EXPECT_EQ(size, expected.str());
    Expect_Same(got, want, 5e-4);
}

INSTANTIATE_TEST_SUITE_P(Options, DrawingFiles,
                         ::testing::Values(Pattern_Options{1.0, 0, 1}, Pattern_Options{1.5, 5, 3}));

} // namespace
