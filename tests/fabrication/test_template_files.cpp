// The templates program end to end: its files read back by real readers (poppler for the
// PDF, ezdxf for the DXF, an XML parser for the SVG), pieces measured on the rendered
// page, and its answers to bad options, failed checks and unwritable files.

#include "fabrication/pattern_layout.h"

#include <QFile>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Json = nlohmann::json;
constexpr double Pi = 3.14159265358979323846;

struct Outcome {
    int code = -1;
    std::string out, err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

// A fresh folder per test, removed with everything in it at the end.
class Scratch {
public:
    Scratch() {
        std::string t = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
        t += "/ecd-templates-XXXXXX";
        dir_ = mkdtemp(t.data());
    }
    ~Scratch() { std::system(("rm -rf " + Quote(dir_)).c_str()); }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir_.c_str())) {
            while (dirent* e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.push_back(e->d_name);
            closedir(d);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string dir_;
};

Outcome Run_Program(const std::string& program, const std::vector<std::string>& args,
                    const Scratch& scratch) {
    std::string cmd = Quote(program);
    for (const auto& a : args)
        cmd += " " + Quote(a);
    const std::string out = scratch.path("stdout.txt"), err = scratch.path("stderr.txt");
    cmd += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    Outcome r;
    const int status = std::system(cmd.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return r;
}

Outcome Templates(const std::vector<std::string>& args, const Scratch& scratch) {
    return Run_Program(TEMPLATES_PROGRAM, args, scratch);
}

// The three-stage worked design: D1..D5 44.0, 60.8, 88.2, 109.8, 25.5.
const std::vector<std::string> Three_Stage = {"--three-stage",
                                              "--temp-bmep",
                                              "--coef-bmep",
                                              "--bmep",
                                              "10",
                                              "--horn",
                                              "1.5",
                                              "--dx",
                                              "40",
                                              "--d1",
                                              "44",
                                              "--lx",
                                              "20",
                                              "--angle",
                                              "88",
                                              "--rpm",
                                              "11000",
                                              "--name",
                                              "Test pipe"};
// The two-stage worked design: D1..D4 44.0, 67.6, 100.0, 26.0.
const std::vector<std::string> Two_Stage = {"--two-stage",
                                            "--temp-manual",
                                            "--coef-manual",
                                            "--temp",
                                            "600",
                                            "--mid",
                                            "2.5",
                                            "--tail",
                                            "0.65",
                                            "--dx",
                                            "40",
                                            "--d1",
                                            "44",
                                            "--lx",
                                            "20",
                                            "--angle",
                                            "88",
                                            "--rpm",
                                            "11000"};

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A grey-scale page as pdftoppm renders it.
struct Gray_Image {
    int width = 0, height = 0;
    std::vector<unsigned char> px;
    bool dark(int x, int y) const { return px[static_cast<size_t>(y) * width + x] < 128; }
};

Gray_Image Render_Page(const std::string& pdf, int page, int dpi, const Scratch& scratch) {
    const std::string prefix = scratch.path("page");
    const std::string cmd = std::string(PDFTOPPM) + " -gray -r " + std::to_string(dpi) + " -f " +
                            std::to_string(page) + " -l " + std::to_string(page) + " -singlefile " +
                            Quote(pdf) + " " + Quote(prefix);
    Gray_Image img;
    if (std::system(cmd.c_str()) != 0)
        return img;
    const std::string data = Slurp(prefix + ".pgm");
    std::remove((prefix + ".pgm").c_str());
    std::istringstream s(data);
    std::string magic;
    int maxval = 0;
    s >> magic >> img.width >> img.height >> maxval;
    s.get();
    if (magic != "P5" || maxval != 255)
        return Gray_Image{};
    const size_t n = static_cast<size_t>(img.width) * img.height;
    img.px.resize(n);
    s.read(reinterpret_cast<char*>(img.px.data()), static_cast<std::streamsize>(n));
    return img;
}

Json Run_Json(const std::vector<std::string>& args, const Scratch& scratch) {
    const Outcome r = Templates(Plus(args, {"--json"}), scratch);
    EXPECT_EQ(r.code, 0) << r.err;
    return Json::parse(r.out, nullptr, false);
}

// --- PDF -------------------------------------------------------------------------------

TEST(TemplatePdf, OpensWithOnePagePerTileAfterTheSummary) {
    struct Case {
        std::vector<std::string> design;
        std::string paper, pieces;
        const char* pdfinfoName;
    };
    const Case cases[] = {{Three_Stage, "a4", "1", "(A4)"},
                          {Two_Stage, "letter", "3", "(letter)"},
                          {Three_Stage, "letter", "4", "(letter)"}};
    for (const auto& c : cases) {
        Scratch s;
        const std::string pdf = s.path("t.pdf");
        const Json j =
            Run_Json(Plus(c.design, {"--paper", c.paper, "--pieces", c.pieces, "--pdf", pdf}), s);
        ASSERT_FALSE(j.is_discarded());
        int expected = 1;
        std::vector<std::string> orientation{"portrait"};
        for (const auto& p : j["templates"]["pieces"]) {
            const int n = p["pages"]["columns"].get<int>() * p["pages"]["rows"].get<int>();
            expected += n;
            for (int i = 0; i < n; ++i)
                orientation.push_back(p["pages"]["orientation"]);
        }
        EXPECT_EQ(j["templates"]["pdfPages"].get<int>(), expected);

        const Outcome info = Run_Program(PDFINFO, {"-f", "1", "-l", "999", pdf}, s);
        ASSERT_EQ(info.code, 0) << info.err;
        EXPECT_NE(info.out.find("Pages:           " + std::to_string(expected) + "\n"),
                  std::string::npos)
            << info.out;
        // Every page is the paper, in the orientation its piece's tiles need.
        std::istringstream lines(info.out);
        std::string line;
        int page = 0;
        while (std::getline(lines, line)) {
            if (line.rfind("Page ", 0) != 0 || line.find(" size: ") == std::string::npos)
                continue;
            double w = 0, h = 0;
            ASSERT_EQ(std::sscanf(line.c_str() + line.find("size:") + 5, "%lf x %lf", &w, &h), 2);
            EXPECT_NE(line.find(c.pdfinfoName), std::string::npos) << line;
            ASSERT_LT(page, static_cast<int>(orientation.size()));
            EXPECT_EQ(w > h, orientation[page] == "landscape") << line;
            ++page;
        }
        EXPECT_EQ(page, expected);
    }
}

// The extent of the first drawing found below `top` inside a column range: the rows from
// its first dark row to the first white gap of `gap` pixels, and within those rows the
// columns from the first dark one to the first such gap across.
struct Extent {
    int x0 = -1, x1 = -1, y0 = -1, y1 = -1;
};

Extent Find_Drawing(const Gray_Image& img, int left, int right, int top, int bottom, int gap) {
    Extent e;
    auto rowDark = [&](int y) {
        for (int x = left; x < right; ++x)
            if (img.dark(x, y))
                return true;
        return false;
    };
    int white = 0;
    for (int y = top; y < bottom; ++y) {
        const bool any = rowDark(y);
        if (any && e.y0 < 0)
            e.y0 = y;
        if (e.y0 < 0)
            continue;
        if (any) {
            e.y1 = y;
            white = 0;
        } else if (++white >= gap) {
            break;
        }
    }
    if (e.y0 < 0)
        return e;
    white = 0;
    for (int x = left; x < right; ++x) {
        bool any = false;
        for (int y = e.y0; y <= e.y1 && !any; ++y)
            any = img.dark(x, y);
        if (any && e.x0 < 0)
            e.x0 = x;
        if (e.x0 < 0)
            continue;
        if (any) {
            e.x1 = x;
            white = 0;
        } else if (++white >= gap) {
            break;
        }
    }
    return e;
}

// A piece that fits one page, rendered at 10 pixels per millimetre, has the size of its
// outline within half a millimetre (less the width of the drawn line).
TEST(TemplatePdf, PiecesPrintAtFullSize) {
    Scratch s;
    const std::string pdf = s.path("t.pdf");
    const Json j = Run_Json(Plus(Three_Stage, {"--pieces", "2", "--seam", "6", "--pdf", pdf}), s);
    ASSERT_FALSE(j.is_discarded());
    const double pxPerMm = 10;
    int page = 2;
    int measuredSectors = 0, measuredRectangles = 0;
    for (const auto& p : j["templates"]["pieces"]) {
        const int cols = p["pages"]["columns"], rows = p["pages"]["rows"];
        if (cols * rows == 1) {
            const Gray_Image img = Render_Page(pdf, page, 254, s);
            ASSERT_GT(img.width, 0);
            const bool landscape = p["pages"]["orientation"] == "landscape";
            const Page_Box box = Page_Layout(Paper::A4, landscape);
            EXPECT_NEAR(img.width, box.width * pxPerMm, 1.5);
            // Inside the tile, clear of its faint border; the figure block lies at least
            // 8 mm beneath or beside the outline.
            const Extent e = Find_Drawing(img, static_cast<int>((box.tile.x0 + 0.5) * pxPerMm),
                                          static_cast<int>((box.tile.x1 - 0.5) * pxPerMm),
                                          static_cast<int>((box.tile.y0 + 0.5) * pxPerMm),
                                          static_cast<int>((box.tile.y1 - 0.5) * pxPerMm),
                                          static_cast<int>(5 * pxPerMm));
            const double line = 0.35; // the cut line's width, half of it on each side
            const double w = (e.x1 - e.x0 + 1) / pxPerMm - line;
            const double h = (e.y1 - e.y0 + 1) / pxPerMm - line;
            EXPECT_NEAR(w, p["box"]["width"].get<double>(), 0.5)
                << p["section"] << " page " << page;
            EXPECT_NEAR(h, p["box"]["height"].get<double>(), 0.5)
                << p["section"] << " page " << page;
            (p["shape"] == "sector" ? measuredSectors : measuredRectangles)++;
        }
        page += cols * rows;
    }
    EXPECT_GE(measuredSectors, 1);
    EXPECT_GE(measuredRectangles, 1);
}

// The check bars: the longest dark runs in the page foot are 100 mm and 4 inches long.
TEST(TemplatePdf, CheckBarsMeasureTheirLengthOnEveryKindOfPage) {
    Scratch s;
    const std::string pdf = s.path("t.pdf");
    const Json j = Run_Json(Plus(Two_Stage, {"--paper", "letter", "--pdf", pdf}), s);
    ASSERT_FALSE(j.is_discarded());
    // The summary, a portrait tile page and the last page.
    const int last = j["templates"]["pdfPages"];
    for (int page : {1, 2, last}) {
        const Gray_Image img = Render_Page(pdf, page, 254, s);
        ASSERT_GT(img.width, 0);
        const int footTop = img.height - static_cast<int>((Page_Margin + Footer_Band) * 10);
        std::vector<double> runs;
        for (int y = footTop; y < img.height; ++y) {
            int run = 0, best = 0;
            for (int x = 0; x < img.width; ++x) {
                run = img.dark(x, y) ? run + 1 : 0;
                best = std::max(best, run);
            }
            runs.push_back(best / 10.0);
        }
        const double pen = 0.15;
        auto hasRun = [&](double mm) {
            for (double r : runs)
                if (std::fabs(r - pen - mm) < 0.5)
                    return true;
            return false;
        };
        EXPECT_TRUE(hasRun(100.0)) << "page " << page;
        EXPECT_TRUE(hasRun(101.6)) << "page " << page;
    }
}

// --- DXF -------------------------------------------------------------------------------

const char* Dxf_Probe = R"PY(
import json, sys, math
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
msp = doc.modelspace()
out = {
    "version": doc.dxfversion,
    "insunits": doc.header.get("$INSUNITS", 0),
    "errors": [str(e) for e in auditor.errors],
    "layers": sorted(l.dxf.name for l in doc.layers),
    "arcs": [[a.dxf.layer, a.dxf.center.x, a.dxf.center.y, a.dxf.radius,
              a.dxf.start_angle, a.dxf.end_angle] for a in msp.query("ARC")],
    "counts": {},
}
for e in msp:
    key = e.dxftype() + "/" + e.dxf.layer
    out["counts"][key] = out["counts"].get(key, 0) + 1
print(json.dumps(out))
)PY";

TEST(TemplateDxf, PassesAnAuditAndHoldsEveryPiecesArcs) {
    for (const char* pieces : {"1", "3"}) {
        Scratch s;
        const std::string dxf = s.path("t.dxf");
        const Json j =
            Run_Json(Plus(Three_Stage, {"--pieces", pieces, "--seam", "5", "--dxf", dxf}), s);
        ASSERT_FALSE(j.is_discarded());
        std::ofstream(s.path("probe.py")) << Dxf_Probe;
        const Outcome probe = Run_Program(PYTHON3, {s.path("probe.py"), dxf}, s);
        ASSERT_EQ(probe.code, 0) << probe.err;
        const Json d = Json::parse(probe.out);
        EXPECT_EQ(d["version"], "AC1009");
        EXPECT_EQ(d["insunits"], 4);
        EXPECT_TRUE(d["errors"].empty()) << d["errors"].dump();
        for (const char* layer : {"CUT", "ETCH", "LABEL"})
            EXPECT_NE(std::find(d["layers"].begin(), d["layers"].end(), layer), d["layers"].end())
                << layer;
        EXPECT_GT(d["counts"].value("LINE/ETCH", 0), 0);
        EXPECT_GT(d["counts"].value("TEXT/LABEL", 0), 0);
        EXPECT_EQ(d["counts"].value("ARC/ETCH", 0), 0);

        // Each sector gives two arcs on CUT about one centre: radii Ro and Ri, sweep as
        // its angle, and the sectors lie side by side without overlap.
        std::vector<Json> sectors;
        for (const auto& p : j["templates"]["pieces"])
            if (p["shape"] == "sector")
                sectors.push_back(p);
        const auto& arcs = d["arcs"];
        ASSERT_EQ(arcs.size(), 2 * sectors.size());
        std::vector<std::pair<double, double>> spans;
        for (size_t i = 0; i < sectors.size(); ++i) {
            const Json& outer = arcs[2 * i];
            const Json& inner = arcs[2 * i + 1];
            EXPECT_EQ(outer[0], "CUT");
            EXPECT_EQ(inner[0], "CUT");
            EXPECT_NEAR(outer[1].get<double>(), inner[1].get<double>(), 1e-9);
            EXPECT_NEAR(outer[3].get<double>(), sectors[i]["outerRadius"].get<double>(), 1e-9);
            EXPECT_NEAR(inner[3].get<double>(), sectors[i]["innerRadius"].get<double>(), 1e-9);
            const double sweep = outer[5].get<double>() - outer[4].get<double>();
            EXPECT_NEAR(sweep, sectors[i]["angleDeg"].get<double>(), 1e-9);
            // The outer arc's length is pi D over the pieces.
            EXPECT_NEAR(outer[3].get<double>() * sweep * Pi / 180,
                        Pi * sectors[i]["D"].get<double>() / sectors[i]["pieces"].get<int>(), 1e-6);
            const double half = sweep / 2 * Pi / 180;
            const double r = outer[3];
            const double reach = half >= Pi / 2 ? r : r * std::sin(half);
            spans.push_back({outer[1].get<double>() - reach, outer[1].get<double>() + reach});
        }
        for (size_t i = 1; i < spans.size(); ++i)
            EXPECT_LT(spans[i - 1].second, spans[i].first) << i;
    }
}

// --- SVG -------------------------------------------------------------------------------

TEST(TemplateSvg, IsWellFormedXmlInMillimetres) {
    Scratch s;
    const std::string svg = s.path("t.svg");
    const Json j = Run_Json(Plus(Two_Stage, {"--pieces", "2", "--svg", svg}), s);
    ASSERT_FALSE(j.is_discarded());
    QFile f(QString::fromStdString(svg));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString width, height, viewBox;
    int paths = 0, texts = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("svg") && width.isEmpty()) {
                width = xml.attributes().value("width").toString();
                height = xml.attributes().value("height").toString();
                viewBox = xml.attributes().value("viewBox").toString();
            }
            paths += xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline");
            texts += xml.name() == QLatin1String("text");
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_TRUE(width.endsWith("mm")) << width.toStdString();
    ASSERT_TRUE(height.endsWith("mm")) << height.toStdString();
    const double wmm = width.chopped(2).toDouble();
    const double hmm = height.chopped(2).toDouble();
    const QStringList vb = viewBox.split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(vb.size(), 4);
    // One user unit is the same length across and down.
    EXPECT_NEAR(vb[2].toDouble() / wmm, vb[3].toDouble() / hmm, 1e-6);

    double widths = 0, tallest = 0;
    for (const auto& p : j["templates"]["pieces"]) {
        widths += p["box"]["width"].get<double>();
        tallest = std::max(tallest, p["box"]["height"].get<double>());
    }
    EXPECT_GT(wmm, widths);
    EXPECT_GT(hmm, tallest);
    EXPECT_GT(paths, 0);
    EXPECT_GE(texts, static_cast<int>(j["templates"]["pieces"].size()));
}

// --- The command ------------------------------------------------------------------------

TEST(TemplateCommand, JsonCarriesEveryPiecesFigures) {
    Scratch s;
    const Json j = Run_Json(
        Plus(Three_Stage, {"--pieces", "3", "--sheet", "1.5", "--dxf", s.path("t.dxf")}), s);
    ASSERT_FALSE(j.is_discarded());
    EXPECT_TRUE(j["failure"].is_null());
    EXPECT_EQ(j["display"]["Texdiam(3)"], "109.8 ");
    const auto& pieces = j["templates"]["pieces"];
    ASSERT_EQ(pieces.size(), 4u * 3 + 3);
    const std::vector<std::string> order = {"L1", "L2", "L2", "L2", "L3", "L3", "L3", "L4",
                                            "L4", "L4", "L5", "L6", "L6", "L6", "L7"};
    for (size_t i = 0; i < pieces.size(); ++i) {
        const auto& p = pieces[i];
        EXPECT_EQ(p["section"], order[i]);
        const int count = p["pieces"];
        EXPECT_NEAR(p["outerArc"].get<double>(), Pi * p["D"].get<double>() / count, 1e-9);
        EXPECT_NEAR(p["D"].get<double>() - p["insideLarge"].get<double>(), 1.5, 1e-6);
        if (p["shape"] == "sector") {
            EXPECT_NEAR(p["innerArc"].get<double>(), Pi * p["d"].get<double>() / count, 1e-9);
            EXPECT_NEAR(p["outerRadius"].get<double>() - p["innerRadius"].get<double>(),
                        p["slant"].get<double>(), 1e-9);
            EXPECT_NEAR(p["angleDeg"].get<double>() * count, p["coneAngleDeg"].get<double>(), 1e-9);
        } else {
            EXPECT_TRUE(p["fromTube"].get<bool>());
        }
    }
}

TEST(TemplateCommand, BadOptionValuesAreUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--sheet", "0.29", "--dxf", "x.dxf"}, "--sheet"},
        {{"--sheet", "3.5", "--dxf", "x.dxf"}, "--sheet"},
        {{"--sheet", "thick", "--dxf", "x.dxf"}, "--sheet"},
        {{"--seam", "-1", "--dxf", "x.dxf"}, "--seam"},
        {{"--seam", "20.5", "--dxf", "x.dxf"}, "--seam"},
        {{"--pieces", "0", "--dxf", "x.dxf"}, "--pieces"},
        {{"--pieces", "5", "--dxf", "x.dxf"}, "--pieces"},
        {{"--pieces", "2.5", "--dxf", "x.dxf"}, "--pieces"},
        {{"--paper", "a3", "--dxf", "x.dxf"}, "--paper"},
        {{"--pdf="}, "--pdf"},
        {{}, "at least one of --pdf"},
        {{"--dxf", "x.dxf", "--svg", "x.dxf"}, "twice"},
        {{"--dxf", "x.dxf", "--no-such-flag"}, "--no-such-flag"},
    };
    for (const auto& c : cases) {
        Scratch s;
        std::vector<std::string> args = c.args;
        for (auto& a : args)
            if (a == "x.dxf")
                a = s.path("x.dxf");
        const Outcome r = Templates(Plus(Three_Stage, args), s);
        EXPECT_EQ(r.code, 64) << c.mentions << ": " << r.err;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_TRUE(s.entries().empty());
    }
}

TEST(TemplateCommand, OptionBoundsAreAccepted) {
    struct Case {
        std::vector<std::string> extra;
        const char* paper;
    };
    const Case cases[] = {
        {{"--sheet", "0.3", "--seam", "0", "--pieces", "1"}, "A4"},
        {{"--sheet", "3.0", "--seam", "20", "--pieces", "4", "--paper", "LETTER"}, "Letter"},
        {{"--paper", "A4"}, "A4"},
    };
    for (const auto& c : cases) {
        Scratch s;
        const Json j = Run_Json(Plus(Plus(Three_Stage, c.extra), {"--dxf", s.path("x.dxf")}), s);
        ASSERT_FALSE(j.is_discarded());
        EXPECT_EQ(j["templates"]["paper"], c.paper);
        EXPECT_TRUE(Exists(s.path("x.dxf")));
    }
}

// The design's checks, with its messages, come before any file is written.
TEST(TemplateCommand, DesignCheckFailuresExitTwoWithTheDesignMessages) {
    struct Case {
        std::vector<std::string> design;
        const char* title;
    };
    std::vector<std::string> noSpeed = Three_Stage;
    noSpeed.erase(noSpeed.begin() + 15, noSpeed.begin() + 17); // --rpm 11000
    std::vector<std::string> longDuct = Three_Stage;
    longDuct[12] = "90"; // LX above a tenth of the tuned length
    const Case cases[] = {
        {{}, "Diffuser Type Not Set"},
        {noSpeed, "Engine Speed Not Set"},
        {longDuct, "Unacceptable Length from Piston Face to Barrel Flange"},
    };
    for (const auto& c : cases) {
        Scratch s;
        const Outcome r = Templates(Plus(c.design, {"--pdf", s.path("t.pdf")}), s);
        EXPECT_EQ(r.code, 2) << r.err;
        EXPECT_NE(r.err.find(c.title), std::string::npos) << r.err;
        EXPECT_TRUE(s.entries().empty());
#ifdef CALC_PROGRAM
        const Outcome design = Run_Program(CALC_PROGRAM, Plus({"design"}, c.design), s);
        EXPECT_EQ(design.code, 2);
        EXPECT_EQ(design.err, r.err);
#endif
    }
}

TEST(TemplateCommand, WarningsAreShownAndTheFilesStillWritten) {
    Scratch s;
    std::vector<std::string> warn = Three_Stage;
    warn[10] = "41"; // D1 below 1.05 x DX
    const Outcome r = Templates(Plus(warn, {"--dxf", s.path("t.dxf")}), s);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("WARNING - Barrel Flange Diameter less than the Recommended Limit"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(Exists(s.path("t.dxf")));
}

// A file that cannot be written: exit 1, a message naming it, and no file of the set
// (nor a temporary one) left behind.
TEST(TemplateCommand, UnwritableFileLeavesNothingBehind) {
    Scratch s;
    const std::string missingDir = s.path("no-such-folder/t.pdf");
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const Case cases[] = {
        {{"--dxf", s.path("t.dxf"), "--svg", s.path("t.svg"), "--pdf", missingDir}, missingDir},
        {{"--pdf", s.path("t.pdf"), "--dxf", s.path("")}, s.path("")},
        {{"--svg", "/proc/version", "--dxf", s.path("t.dxf")}, "/proc/version"},
    };
    for (const auto& c : cases) {
        const Outcome r = Templates(Plus(Three_Stage, c.args), s);
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_NE(r.err.find("cannot write " + c.named), std::string::npos) << r.err;
        EXPECT_TRUE(s.entries().empty()) << s.entries().size();
    }
}

TEST(TemplateCommand, PlainOutputNamesTheFilesWritten) {
    Scratch s;
    const Outcome r = Templates(Plus(Two_Stage, {"--pdf", s.path("a.pdf"), "--svg", s.path("a.svg"),
                                                 "--dxf", s.path("a.dxf")}),
                                s);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Two Stage diffuser"), std::string::npos);
    EXPECT_NE(r.out.find("Wrote " + s.path("a.pdf") + " ("), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Wrote " + s.path("a.svg")), std::string::npos);
    EXPECT_NE(r.out.find("Wrote " + s.path("a.dxf")), std::string::npos);
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(s.entries(), (std::vector<std::string>{"a.dxf", "a.pdf", "a.svg"}));
}

} // namespace

#ifdef CALC_PROGRAM
// The calculator's "templates" command is the templates program, under the command's name.
TEST(TemplateCommand, CalculatorHandsTemplatesOver) {
    Scratch s;
    const Outcome direct = Templates(Plus(Two_Stage, {"--json", "--dxf", s.path("a.dxf")}), s);
    const Outcome viaCalc =
        Run_Program(CALC_PROGRAM,
                    Plus(Plus({"templates"}, Two_Stage), {"--json", "--dxf", s.path("b.dxf")}), s);
    ASSERT_EQ(viaCalc.code, 0) << viaCalc.err;
    const Json a = Json::parse(direct.out), b = Json::parse(viaCalc.out);
    EXPECT_EQ(a["templates"]["pieces"], b["templates"]["pieces"]);
    EXPECT_EQ(Slurp(s.path("a.dxf")), Slurp(s.path("b.dxf")));

    const Outcome usage = Run_Program(CALC_PROGRAM, {"templates", "--pieces", "9"}, s);
    EXPECT_EQ(usage.code, 64);
    EXPECT_EQ(usage.err.rfind("expansion-chamber-calc templates: ", 0), 0u) << usage.err;
}
#endif
