// expansion-chamber-templates: the "templates" command of expansion-chamber-calc, as a
// program of its own so that the calculator's other commands never load Qt. Takes every
// flag of "design", runs the same checks with the same messages, and writes the full-size
// flat patterns of the computed chamber as PDF, SVG and DXF.

#include "cli/design_command.h"
#include "common/numbers.h"
#include "fabrication/pattern_files.h"

#include <QGuiApplication>

#include <cctype>
#include <iostream>
#include <memory>

namespace {

struct Template_Flags {
    double sheet = 1.0;
    double seam = 0.0;
    int pieces = 1;
    std::string paper = "a4";
    std::string pdf, svg, dxf;
};

int Usage_Error(const std::string& name, const std::string& message) {
    std::cerr << name << ": " << message << "\n"
              << "Run '" << name << " --help' for the usage.\n";
    return cli::ExitUsage;
}

cli::Json Piece_Json(const Flat_Piece& p, Paper paper) {
    const Tile_Plan plan = Plan_Tiles(Fit_To_Paper(p, paper).frame, paper);
    cli::Json j;
    j["section"] = p.section;
    j["role"] = p.role;
    j["piece"] = p.index;
    j["pieces"] = p.count;
    j["shape"] = p.sector ? "sector" : "rectangle";
    j["fromTube"] = p.fromTube;
    j["insideSmall"] = p.insideSmall;
    j["insideLarge"] = p.insideLarge;
    j["d"] = p.dSmall;
    j["D"] = p.dLarge;
    j["length"] = p.length;
    j["slant"] = p.slant;
    if (p.sector) {
        j["outerRadius"] = p.rOuter;
        j["innerRadius"] = p.rInner;
        j["angleDeg"] = p.angle * 180 / Pi;
        j["coneAngleDeg"] = p.coneAngle * 180 / Pi;
    } else {
        j["width"] = p.rectWidth;
    }
    j["outerArc"] = p.outerArc;
    j["innerArc"] = p.innerArc;
    j["chord"] = p.chordOuter;
    j["innerChord"] = p.chordInner;
    j["seamAllowance"] = p.seam;
    j["box"] = {{"width", p.outline.width()}, {"height", p.outline.height()}};
    j["pages"] = {{"columns", plan.cols},
                  {"rows", plan.rows},
                  {"orientation", plan.landscape ? "landscape" : "portrait"}};
    return j;
}

} // namespace

int main(int argc, char** argv) {
    std::string name = argc > 0 && argv[0][0] ? argv[0] : "expansion-chamber-templates";
    if (name != cli::Templates_Command_Name)
        name = name.substr(name.find_last_of('/') + 1);

    CLI::App app{"Full-size flat patterns (templates) of the chamber: every cone developed into "
                 "the sector it is\nrolled from, every parallel section into its rectangle. "
                 "Takes every flag of 'design', with\nthe same checks and messages, and writes "
                 "at least one of --pdf, --svg, --dxf.\n"
                 "Exit status: 0 written, 1 a file could not be written (none is left), 2 check "
                 "failure,\n64 usage error.",
                 name};
    cli::Design_Flags design;
    cli::Add_Design_Flags(app, design);
    Template_Flags t;
    app.add_option("--sheet", t.sheet, "Sheet thickness, mm, 0.3 to 3.0 (default 1.0)")
        ->check(CLI::Range(Min_Sheet, Max_Sheet))
        ->type_name("T");
    app.add_option("--seam", t.seam,
                   "Seam allowance along one straight edge, mm, 0 to 20 (default 0: butt weld)")
        ->check(CLI::Range(0.0, Max_Seam))
        ->type_name("T");
    app.add_option("--pieces", t.pieces, "Equal pieces per cone, 1 to 4 (default 1)")
        ->check(CLI::Range(1, Max_Pieces))
        ->type_name("N");
    app.add_option("--paper", t.paper, "Paper of the PDF: a4 or letter (default a4)")
        ->check(CLI::IsMember({"a4", "letter"}, CLI::ignore_case))
        ->type_name("a4|letter");
    app.add_option("--pdf", t.pdf, "Write the printable pattern set (PDF)")->type_name("FILE");
    app.add_option("--svg", t.svg, "Write every piece at full size on one sheet (SVG)")
        ->type_name("FILE");
    app.add_option("--dxf", t.dxf, "Write the cutting drawing (DXF R12, mm)")->type_name("FILE");

    const int parsed = cli::Parse(app, cli::Prepare_Args(argc, argv), std::cout, std::cerr);
    if (parsed >= 0)
        return parsed;

    std::vector<Pattern_Output> outputs;
    for (const auto& [format, path, flag] : {std::tuple{Pattern_Format::Pdf, t.pdf, "--pdf"},
                                             std::tuple{Pattern_Format::Svg, t.svg, "--svg"},
                                             std::tuple{Pattern_Format::Dxf, t.dxf, "--dxf"}}) {
        if (app.count(flag) == 0)
            continue;
        if (path.empty())
            return Usage_Error(name, std::string(flag) + ": a file name is needed");
        for (const auto& o : outputs)
            if (o.path == path)
                return Usage_Error(name, "the same file is given twice: " + path);
        outputs.push_back({format, path});
    }
    if (outputs.empty())
        return Usage_Error(name, "give at least one of --pdf FILE, --svg FILE, --dxf FILE");
    const Pattern_Options options{t.sheet, t.seam, t.pieces};
    const std::string wrong = Check_Pattern_Options(options);
    if (!wrong.empty())
        return Usage_Error(name, wrong);
    std::string paperName = t.paper;
    for (char& c : paperName)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const Paper paper = paperName == "letter" ? Paper::Letter : Paper::A4;

    // The design, exactly as the design command checks and computes it.
    const Outcome<Chamber_Design> run = Calc_Design(cli::Design_Form_Of(design));
    cli::Report report = cli::Design_Report(run);
    if (report.failure)
        return cli::Print_Report(report, design.json, std::cout, std::cerr);

    const Chamber_Patterns set = Make_Chamber_Patterns(run.value, options);

    // Fonts for the PDF and SVG need the GUI application object; no window is shown.
    std::unique_ptr<QGuiApplication> gui;
    for (const auto& o : outputs)
        if (o.format != Pattern_Format::Dxf && !gui) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            // Qt's notes about the session (no runtime folder and the like) are no
            // business of this command's user; real errors come back as failed writes.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::cerr << m.toStdString() << "\n";
            });
            static int qtArgc = 1;
            static char* qtArgv[] = {argv[0], nullptr};
            gui = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        }

    std::string error;
    if (!Write_Pattern_Files(outputs, set, paper, error)) {
        if (!design.json) {
            report.plainLines.clear();
            cli::Print_Report(report, false, std::cout, std::cerr);
        }
        std::cerr << name << ": " << error << "\n";
        return cli::ExitFailure;
    }

    const int pages = Pattern_Page_Count(set, paper);
    if (design.json) {
        cli::Json j = cli::Report_Json(report);
        cli::Json& tj = j["templates"];
        tj["sheet"] = options.sheet;
        tj["seamAllowance"] = options.seam;
        tj["piecesPerCone"] = options.pieces;
        tj["paper"] = Paper_Name(paper);
        tj["files"] = cli::Json::object();
        for (const auto& o : outputs)
            tj["files"][o.format == Pattern_Format::Pdf   ? "pdf"
                        : o.format == Pattern_Format::Svg ? "svg"
                                                          : "dxf"] = o.path;
        tj["pdfPages"] = pages;
        tj["pieces"] = cli::Json::array();
        for (const auto& p : set.pieces)
            tj["pieces"].push_back(Piece_Json(p, paper));
        std::cout << j.dump(2) << "\n";
        return cli::ExitOk;
    }

    cli::Print_Report(report, false, std::cout, std::cerr);
    std::cout << "Flat patterns: " << set.pieces.size() << " pieces, sheet " << Fixed(t.sheet)
              << " mm\n";
    for (const auto& o : outputs) {
        std::cout << "Wrote " << o.path;
        if (o.format == Pattern_Format::Pdf)
            std::cout << " (" << pages << " pages, " << Paper_Name(paper) << ")";
        std::cout << "\n";
    }
    return cli::ExitOk;
}
