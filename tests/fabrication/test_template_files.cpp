// The templates program end to end: one set of its files read back by real readers
// (poppler for the PDF, ezdxf for the DXF, an XML parser for the SVG), pieces measured on
// the rendered page, its exit codes for bad options, failed checks and unwritable files,
// and where it writes as a hostile user or a full disk has it: nothing new or partial left
// behind, standard output written into, an interrupted run leaving no temporary file.

#include "common/numbers.h"
#include "fabrication/pattern_layout.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
constexpr auto npos = std::string::npos;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::vector<std::string> Args(const std::string& words) {
    std::istringstream s(words);
    return {std::istream_iterator<std::string>(s), {}};
}

// A fresh folder, removed with everything in it at the end. In `fill`, "@" stands for the
// folder and its slash.
struct Scratch {
    std::string dir = [] {
        std::string t = fs::temp_directory_path() / "ecd-templates-XXXXXX";
        return std::string(mkdtemp(t.data()));
    }();
    ~Scratch() { fs::remove_all(dir); }
    std::string path(const std::string& name) const { return dir + "/" + name; }
    std::string fill(std::string s) const {
        for (size_t at; (at = s.find('@')) != npos;)
            s.replace(at, 1, path(""));
        return s;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

struct Outcome {
    int code = -1;
    std::string out, err;
};

Outcome Run_Program(const std::string& program, const std::vector<std::string>& args,
                    const Scratch& s, const std::string& environment = "") {
    std::string cmd = environment + " " + Quote(program);
    for (const auto& a : args)
        cmd += " " + Quote(s.fill(a));
    const std::string out = s.path("stdout.txt"), err = s.path("stderr.txt");
    const int status =
        std::system((cmd + " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null").c_str());
    Outcome r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
}

// The three-stage worked design, D1..D5 44.0, 60.8, 88.2, 109.8, 25.5, less D1, LX, rpm.
const std::string Base = "--three-stage --temp-bmep --coef-bmep --bmep 10 --horn 1.5 --dx 40 "
                         "--angle 88 --name Test";
const std::string Pipe = Base + " --d1 44 --lx 20 --rpm 11000";
const std::string Set_Options = " --pieces 3 --seam 5 --sheet 1.5 --pdf @t.pdf "
                                "--svg @t.svg --dxf @t.dxf";

// One set of the three files with its --json report, written once per test process.
struct File_Set {
    Scratch dir;
    Outcome run = Run_Program(TEMPLATES_PROGRAM, Args(Pipe + Set_Options + " --json"), dir);
    Json json = Json::parse(run.out, nullptr, false);
    std::string pdf = dir.path("t.pdf"), svg = dir.path("t.svg"), dxf = dir.path("t.dxf");
};

class TemplateFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(set.run.code, 0) << set.run.err;
        ASSERT_FALSE(set.json.is_discarded()) << set.run.out;
    }
    static const File_Set& Set() {
        static const File_Set once;
        return once;
    }
    const File_Set& set = Set();
    const Json& pieces() const { return set.json["templates"]["pieces"]; }
};

// A page as pdftoppm renders it in grey at 254 dpi: 10 pixels per millimetre.
constexpr double Px_Per_Mm = 10;
int Px(double mm) {
    return static_cast<int>(mm * Px_Per_Mm);
}

QImage Render_Page(const std::string& pdf, int page, const Scratch& s) {
    const std::string n = std::to_string(page);
    Run_Program(PDFTOPPM, {"-gray", "-r", "254", "-f", n, "-l", n, "-singlefile", pdf, "@page"}, s);
    const QImage img(QString::fromStdString(s.path("page.pgm")));
    fs::remove(s.path("page.pgm"));
    return img.convertToFormat(QImage::Format_Grayscale8);
}

bool Inked(const QImage& img, int x0, int x1, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (img.constScanLine(y)[x] < 128)
                return true;
    return false;
}

// The first stretch of [from, to) with ink in it, up to a blank run of `gap`.
template <typename Inked> std::pair<int, int> First_Run(int from, int to, int gap, Inked inked) {
    int first = -1, last = -1;
    for (int i = from; i < to && (first < 0 || i - last < gap); ++i)
        if (inked(i)) {
            first = first < 0 ? i : first;
            last = i;
        }
    return {first, last};
}

// pdfinfo: one page for the summary and one per tile, each A4 in the orientation its
// piece needs. The summary, a sector and a rectangle that fit one page each, rendered:
// both check bars (100 mm, 4 in) in the foot of every page, the pieces at full size.
TEST_F(TemplateFiles, PdfHasAPagePerTileAndPrintsAtFullSize) {
    std::string sizes = "P"; // P or L, page by page
    // The pages to render: the summary, the first sector and rectangle that fit one page.
    std::map<std::string, std::pair<int, const Json*>> shown{{"summary", {1, nullptr}}};
    for (const auto& p : pieces()) {
        const int n = p["pages"]["columns"].get<int>() * p["pages"]["rows"].get<int>();
        if (n == 1)
            shown.emplace(p["shape"], std::make_pair(static_cast<int>(sizes.size()) + 1, &p));
        sizes.append(n, p["pages"]["orientation"] == "landscape" ? 'L' : 'P');
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(set.json["templates"]["pdfPages"], sizes.size());

    const Outcome info = Run_Program(PDFINFO, {"-f", "1", "-l", "999", set.pdf}, set.dir);
    ASSERT_EQ(info.code, 0) << info.err;
    std::istringstream lines(info.out);
    std::string read;
    for (std::string line; std::getline(lines, line);) {
        double w = 0, h = 0;
        if (std::sscanf(line.c_str(), "Page %*d size: %lf x %lf", &w, &h) == 2)
            read += line.find("(A4)") == npos ? '?' : w > h ? 'L' : 'P';
    }
    EXPECT_EQ(read, sizes) << info.out;

    for (const auto& [what, at] : shown) {
        const auto [page, piece] = at;
        SCOPED_TRACE(what + " on page " + std::to_string(page));
        const QImage img = Render_Page(set.pdf, page, set.dir);
        ASSERT_FALSE(img.isNull());
        std::vector<double> runs; // the longest dark run of each row in the foot, less the pen
        for (int y = img.height() - Px(Page_Margin + Footer_Band); y < img.height(); ++y) {
            int run = 0, best = 0;
            for (int x = 0; x < img.width(); ++x)
                best = std::max(best, run = Inked(img, x, x + 1, y, y + 1) ? run + 1 : 0);
            runs.push_back(best / Px_Per_Mm - 0.15);
        }
        for (double bar : {100.0, 101.6})
            EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [&](double r) {
                return std::fabs(r - bar) < 0.5;
            })) << bar;
        if (!piece)
            continue;
        // Inside the tile, clear of its faint border, up to a 5 mm gap: the figure block
        // lies at least 8 mm beneath or beside the outline.
        const Json& p = *piece;
        const Box t = Page_Layout(Paper::A4, p["pages"]["orientation"] == "landscape").tile;
        const int left = Px(t.x0 + 0.5), right = Px(t.x1 - 0.5);
        const auto rows = First_Run(Px(t.y0 + 0.5), Px(t.y1 - 0.5), Px(5),
                                    [&](int y) { return Inked(img, left, right, y, y + 1); });
        const auto cols = First_Run(left, right, Px(5), [&](int x) {
            return Inked(img, x, x + 1, rows.first, rows.second + 1);
        });
        const double line = 0.35; // the cut line's width, half of it outside the outline
        EXPECT_NEAR((cols.second - cols.first + 1) / Px_Per_Mm - line, p["box"]["width"], 0.5);
        EXPECT_NEAR((rows.second - rows.first + 1) / Px_Per_Mm - line, p["box"]["height"], 0.5);
    }
}

const char* Dxf_Probe = R"PY(
import json, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print(json.dumps({
    "errors": [str(e) for e in doc.audit().errors] +
        ["no layer " + n for n in ("CUT", "ETCH", "LABEL") if n not in doc.layers],
    "version": doc.dxfversion,
    "insunits": doc.header.get("$INSUNITS", 0),
    "kinds": sorted({e.dxftype() + "/" + e.dxf.layer for e in msp}),
    "arcs": [[a.dxf.layer, a.dxf.center.x, a.dxf.center.y, a.dxf.radius,
              a.dxf.start_angle, a.dxf.end_angle] for a in msp.query("ARC")],
}))
)PY";

// Each sector gives two arcs on CUT about one centre, radii Ro and Ri, sweeping its angle,
// the outer pi D over the pieces long; the sectors lie side by side without overlap.
TEST_F(TemplateFiles, DxfPassesAnAuditAndHoldsEveryArc) {
    const Outcome probe = Run_Program(PYTHON3, {"-c", Dxf_Probe, set.dxf}, set.dir);
    ASSERT_EQ(probe.code, 0) << probe.err;
    const Json d = Json::parse(probe.out);
    EXPECT_TRUE(d["errors"].empty()) << d["errors"].dump();
    EXPECT_EQ(d["version"], "AC1009");
    EXPECT_EQ(d["insunits"], 4); // millimetres
    EXPECT_EQ(d["kinds"], Json({"ARC/CUT", "LINE/CUT", "LINE/ETCH", "TEXT/LABEL"}));

    std::vector<Json> sectors;
    for (const auto& p : pieces())
        if (p["shape"] == "sector")
            sectors.push_back(p);
    const auto& arcs = d["arcs"];
    ASSERT_EQ(arcs.size(), 2 * sectors.size());
    double previousRight = -1e300;
    for (size_t i = 0; i < sectors.size(); ++i) {
        const Json &outer = arcs[2 * i], &inner = arcs[2 * i + 1], &p = sectors[i];
        const double x = outer[1], r = outer[3];
        EXPECT_EQ(inner[1], outer[1]);
        EXPECT_EQ(inner[2], outer[2]);
        EXPECT_NEAR(r, p["outerRadius"].get<double>(), 1e-9);
        EXPECT_NEAR(inner[3].get<double>(), p["innerRadius"].get<double>(), 1e-9);
        const double sweep = outer[5].get<double>() - outer[4].get<double>();
        EXPECT_NEAR(sweep, p["angleDeg"].get<double>(), 1e-9);
        EXPECT_NEAR(inner[5].get<double>() - inner[4].get<double>(), sweep, 1e-9);
        EXPECT_NEAR(r * sweep * Pi / 180, Pi * p["D"].get<double>() / p["pieces"].get<int>(), 1e-6);
        const double half = sweep / 2 * Pi / 180;
        const double reach = half >= Pi / 2 ? r : r * std::sin(half);
        EXPECT_LT(previousRight, x - reach) << i;
        previousRight = x + reach;
    }
}

TEST_F(TemplateFiles, SvgIsWellFormedXmlInMillimetres) {
    QFile f(QString::fromStdString(set.svg));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString width, height, viewBox;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("svg") && width.isEmpty()) {
            width = xml.attributes().value("width").toString();
            height = xml.attributes().value("height").toString();
            viewBox = xml.attributes().value("viewBox").toString();
        }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_TRUE(width.endsWith("mm") && height.endsWith("mm")) << width.toStdString();
    const QStringList vb = viewBox.split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(vb.size(), 4);
    // One user unit is the same length across and down.
    EXPECT_NEAR(vb[2].toDouble() / width.chopped(2).toDouble(),
                vb[3].toDouble() / height.chopped(2).toDouble(), 1e-6);
    double widths = 0, tallest = 0;
    for (const auto& p : pieces()) {
        widths += p["box"]["width"].get<double>();
        tallest = std::max(tallest, p["box"]["height"].get<double>());
    }
    EXPECT_GT(width.chopped(2).toDouble(), widths);
    EXPECT_GT(height.chopped(2).toDouble(), tallest);
}

// The calculator's "templates" command is the templates program under the command's name:
// the same drawings, each file named in its plain report; the PDF on letter paper, "LETTER"
// taken in any case, of as many pages as the report says.
TEST_F(TemplateFiles, CalculatorWritesTheSameFilesAndNamesThem) {
    Scratch s;
    const Outcome r =
        Run_Program(CALC_PROGRAM, Args("templates " + Pipe + Set_Options + " --paper LETTER"), s);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(s.entries(), (std::vector<std::string>{"t.dxf", "t.pdf", "t.svg"}));
    EXPECT_EQ(Slurp(s.path("t.svg")), Slurp(set.svg));
    EXPECT_EQ(Slurp(s.path("t.dxf")), Slurp(set.dxf));
    const Outcome info = Run_Program(PDFINFO, {s.path("t.pdf")}, s);
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("(letter)"), npos) << info.out;
    const std::string pages =
        std::to_string(std::stoi(info.out.substr(info.out.find("Pages:") + 6)));
    for (const std::string& wrote : {"@t.pdf (" + pages + " pages, Letter)\n",
                                     std::string("@t.svg\n"), std::string("@t.dxf\n")})
        EXPECT_NE(r.out.find("Wrote " + s.fill(wrote)), npos) << r.out;

    const Outcome usage = Run_Program(CALC_PROGRAM, {"templates", "--pieces", "9"}, s);
    EXPECT_EQ(usage.code, 64);
    EXPECT_EQ(usage.err.rfind("expansion-chamber-calc templates: ", 0), 0u) << usage.err;
}

// 0 with the file written and warnings shown; 64 for usage errors; 2 for the design's own
// check failures, with the messages the design command gives; 1 for a file that cannot be
// written. None but the first leaves any file behind, not even a temporary one, and a set
// is written whole or not at all.
TEST(TemplateCommand, ExitCodesAndMessages) {
    const std::string noSpeed = Base + " --d1 44 --lx 20";
    const std::string longDuct =
        Base + " --d1 44 --lx 90 --rpm 11000"; // over a tenth of the tuned length
    const std::string lowFlange = Base + " --d1 41 --lx 20 --rpm 11000"; // D1 below 1.05 DX
    struct Case {
        std::string design, options;
        int code;
        std::string says;
    };
    const Case cases[] = {
        {Pipe, "--sheet 0.3 --seam 0 --pieces 1 --dxf @t.dxf", 0, "Wrote @t.dxf"},
        {Pipe, "--sheet 3.0 --seam 20 --pieces 4 --dxf @t.dxf", 0, "Wrote @t.dxf"},
        {lowFlange, "--dxf @t.dxf", 0,
         "WARNING - Barrel Flange Diameter less than the Recommended Limit"},
        {Pipe, "--sheet thick --dxf @t.dxf", 64, "--sheet"},
        {Pipe, "--seam 20.5 --dxf @t.dxf", 64, "--seam"},
        {Pipe, "--pieces 5 --dxf @t.dxf", 64, "--pieces"},
        {Pipe, "--pieces 2.5 --dxf @t.dxf", 64, "--pieces"},
        {Pipe, "--paper a3 --dxf @t.dxf", 64, "--paper"},
        {Pipe, "--pdf=", 64, "--pdf"},
        {Pipe, "", 64, "at least one of --pdf"},
        {Pipe, "--dxf @t.dxf --no-such-flag", 64, "--no-such-flag"},
        {"", "--pdf @t.pdf", 2, "Diffuser Type Not Set"},
        {noSpeed, "--pdf @t.pdf", 2, "Engine Speed Not Set"},
        {longDuct, "--pdf @t.pdf", 2, "Unacceptable Length from Piston Face to Barrel Flange"},
        {Pipe, "--dxf @t.dxf --svg @t.svg --pdf @none/t.pdf", 1, "cannot write @none/t.pdf"},
        {Pipe, "--pdf @t.pdf --dxf @", 1, "cannot write @: "},
        {Pipe, "--svg /proc/version --dxf @t.dxf", 1, "cannot write /proc/version"},
    };
    for (const Case& c : cases) {
        Scratch s;
        const Outcome r = Run_Program(TEMPLATES_PROGRAM, Args(c.design + " " + c.options), s);
        SCOPED_TRACE(c.options + "\n" + r.out + r.err);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE((r.out + r.err).find(s.fill(c.says)), npos);
        EXPECT_EQ(s.entries().size(), c.code == 0 ? 1u : 0u);
        if (c.code == 64) {
            EXPECT_TRUE(r.out.empty() && r.err.find("--help") != npos);
        }
        if (c.code == 2) {
            const Outcome design = Run_Program(CALC_PROGRAM, Args("design " + c.design), s);
            EXPECT_EQ(std::tie(design.code, design.err), std::tie(r.code, r.err));
        }
    }
}

// Whatever locale the user has, every number the command writes has a decimal point: on
// standard output, in the figure blocks and on the summary page of the PDF, and in the DXF.
TEST(TemplateCommand, NumbersIgnoreTheLocale) {
    Scratch s;
    const std::string german = "LC_ALL=de_DE.UTF-8";
    if (Run_Program("/usr/bin/locale", {"-a"}, s).out.find("de_DE.utf8") == npos)
        GTEST_SKIP() << "no German locale on this machine (locale-gen de_DE.UTF-8)";
    const Outcome r =
        Run_Program(TEMPLATES_PROGRAM, Args(Pipe + " --pdf @t.pdf --dxf @t.dxf"), s, german);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("sheet 1.00 mm"), npos) << r.out;
    const Outcome text = Run_Program(PDFTOTEXT, {"@t.pdf", "-"}, s);
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("Sheet 1.00 mm"), npos);
    for (const std::string& t : {text.out, Slurp(s.path("t.dxf"))})
        for (size_t at = t.find(','); at != npos; at = t.find(',', at + 1))
            EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(t[at - 1])) &&
                         std::isdigit(static_cast<unsigned char>(t[at + 1])))
                << t.substr(at - 10, 20);
}

// ---- Where it writes ----

TEST(TemplateOutputs, AFullDiskIsAFailureAndLeavesNoFile) {
    for (const char* format : {"--dxf", "--svg", "--pdf"}) {
        Scratch s;
        const Outcome r =
            Run_Program(CALC_PROGRAM, Args("templates " + Pipe + " --pieces 4 " + format + " @x"),
                        s, "ulimit -f 40 &&");
        EXPECT_EQ(r.code, 1) << format;
        EXPECT_NE(r.err.find(s.fill("cannot write @x: File too large")), npos) << r.err;
        EXPECT_EQ(r.out.find("Wrote"), npos);
        EXPECT_TRUE(s.entries().empty()) << format << ": " << s.entries().front();
    }
}

// "-" is standard output, the report then on standard error (links and devices: the file
// writer's own tests).
TEST(TemplateOutputs, AFileOnStandardOutputAndTheSameFileTwiceRefused) {
    Scratch s;
    const Outcome piped = Run_Program(CALC_PROGRAM, Args("templates " + Pipe + " --svg -"), s);
    ASSERT_EQ(piped.code, 0) << piped.err;
    EXPECT_EQ(piped.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(piped.out.find("</svg>"), npos);
    EXPECT_NE(piped.err.find("Wrote -"), npos);
    for (const char* twice : {" --pdf @out --svg @./out", " --dxf - --svg -", " --dxf - --json"}) {
        const Outcome r = Run_Program(CALC_PROGRAM, Args("templates " + Pipe + twice), s);
        EXPECT_EQ(r.code, 64) << twice;
        EXPECT_NE(r.err.find("Run 'expansion-chamber-calc templates --help'"), npos) << r.err;
    }
    EXPECT_TRUE(s.entries().empty());
}

// A pipe with no reader holds the run in the middle of its writing, the PDF already complete
// beside its target; the signal then ends it, and nothing of it may be left.
TEST(TemplateOutputs, AnInterruptedRunLeavesNoTemporaryFile) {
    for (int signal : {SIGINT, SIGTERM}) {
        Scratch s;
        ASSERT_EQ(mkfifo(s.path("pipe").c_str(), 0600), 0);
        const pid_t child = fork();
        if (child == 0) {
            freopen("/dev/null", "w", stdout);
            std::vector<std::string> words =
                Args("templates " + Pipe + " --pdf @out.pdf --svg @pipe");
            words.insert(words.begin(), CALC_PROGRAM);
            std::vector<char*> argv;
            for (auto& w : words)
                argv.push_back((w = s.fill(w)).data());
            argv.push_back(nullptr);
            execv(CALC_PROGRAM, argv.data());
            _exit(127);
        }
        bool held = false;
        for (int i = 0; i < 200 && !held; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            held = s.entries().size() > 1; // the PDF, complete under its temporary name
        }
        EXPECT_TRUE(held) << "the run never reached the pipe";
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        EXPECT_EQ(s.entries(), std::vector<std::string>{"pipe"});
    }
}

// LX at its limit leaves a header a millionth of a millimetre long: no piece for it, a note
// instead, and no number anywhere with a minus sign for zero.
TEST(TemplateOutputs, ASectionTooShortToCutIsNamedNotDrawn) {
    Scratch s;
    const Outcome r = Run_Program(
        TEMPLATES_PROGRAM,
        Args(Base + " --d1 44 --rpm 11000 --lx 81.373909 --json --dxf @t.dxf --pdf @t.pdf"), s);
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = Json::parse(r.out);
    ASSERT_EQ(j["templates"]["omitted"].size(), 1u);
    EXPECT_EQ(j["templates"]["omitted"][0]["section"], "L1");
    for (const auto& p : j["templates"]["pieces"])
        EXPECT_NE(p["section"], "L1");
    EXPECT_EQ(Slurp(s.path("t.dxf")).find("-0.00"), npos);
    const Outcome text = Run_Program(PDFTOTEXT, {"-f", "1", "-l", "1", "@t.pdf", "-"}, s);
    EXPECT_NE(text.out.find("No piece for L1 (header)"), npos) << text.out;
    EXPECT_EQ(text.out.find("-0.0"), npos);
}

TEST(TemplateOutputs, OptionsAndFailuresInTheProgramsOwnWords) {
    Scratch s;
    const Outcome sheet =
        Run_Program(CALC_PROGRAM, Args("templates " + Pipe + " --sheet 0.29 --dxf @t.dxf"), s);
    EXPECT_EQ(sheet.code, 64);
    EXPECT_EQ(sheet.err, "expansion-chamber-calc templates: --sheet 0.29: Sheet thickness must be "
                         "from 0.3 to 3.0 mm\nRun 'expansion-chamber-calc templates --help' for "
                         "the usage.\n");
    const Outcome json =
        Run_Program(CALC_PROGRAM, Args("templates " + Pipe + " --json --dxf @missing/t.dxf"), s);
    EXPECT_EQ(json.code, 1);
    const auto j = Json::parse(json.out);
    EXPECT_EQ(j["templates"]["error"],
              s.fill("cannot write @missing/t.dxf: No such file or directory"));
    EXPECT_TRUE(j["templates"]["files"].empty());
    EXPECT_TRUE(s.entries().empty());
}

} // namespace
