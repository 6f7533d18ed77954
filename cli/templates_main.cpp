// expansion-chamber-templates: the "templates" command of expansion-chamber-calc, as a
// program of its own so that the calculator's other commands never load Qt. Takes every
// flag of "design", runs the same checks with the same messages, and writes the full-size
// flat patterns of the computed chamber as PDF, SVG and DXF.

#include "cli/design_command.h"
#include "common/field_check.h"
#include "common/file_output.h"
#include "common/numbers.h"
#include "common/platform.h"
#include "ecd_version.h"
#include "fabrication/pattern_files.h"

#include <QGuiApplication>
#include <QHashFunctions>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>
#include <optional>

namespace {

// The options as typed; each is checked in the program's own words.
struct Template_Flags {
    std::string sheet = "1.0";
    std::string seam = "0";
    std::string pieces = "1";
    std::string paper = "a4";
    std::string pdf, svg, dxf;
};

// A plain decimal number within lo..hi, or nothing.
std::optional<double> Number_Within(const std::string& text, double lo, double hi) {
    const std::string t = Trim_Blanks(text);
    if (!Is_Plain_Number(t))
        return std::nullopt;
    const double v = Number_Value_Double(t);
    if (!(v >= lo && v <= hi))
        return std::nullopt;
    return v;
}

// The options, or what is wrong with them.
std::string Read_Options(const Template_Flags& t, Pattern_Options& options, Paper& paper) {
    const auto sheet = Number_Within(t.sheet, Min_Sheet, Max_Sheet);
    if (!sheet)
        return "--sheet " + t.sheet + ": Sheet thickness must be from " + Fixed(Min_Sheet, 1) +
               " to " + Fixed(Max_Sheet, 1) + " mm";
    const auto seam = Number_Within(t.seam, 0, Max_Seam);
    if (!seam)
        return "--seam " + t.seam + ": Seam allowance must be from 0 to " + Fixed(Max_Seam, 0) +
               " mm";
    const auto pieces = Number_Within(t.pieces, 1, Max_Pieces);
    if (!pieces || *pieces != static_cast<int>(*pieces))
        return "--pieces " + t.pieces + ": Pieces per cone must be a whole number from 1 to " +
               std::to_string(Max_Pieces);
    std::string name = t.paper;
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name != "a4" && name != "letter")
        return "--paper " + t.paper + ": Paper must be a4 or letter";
    options = Pattern_Options{*sheet, *seam, static_cast<int>(*pieces)};
    paper = name == "letter" ? Paper::Letter : Paper::A4;
    return "";
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
    j["halfAngleDeg"] = p.halfAngle * 180 / Pi;
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
    if (plan.pages() > 0)
        j["pages"] = {{"columns", plan.cols},
                      {"rows", plan.rows},
                      {"orientation", plan.landscape ? "landscape" : "portrait"}};
    else
        j["pages"] = nullptr; // too large to tile on paper
    return j;
}

} // namespace

int main(int argc, char** argv) {
    std::string name = argc > 0 && argv[0][0] ? argv[0] : "expansion-chamber-templates";
    if (name != cli::Templates_Command_Name)
        name = name.substr(name.find_last_of("/\\") + 1);

    CLI::App app{"Full-size flat patterns (templates) of the chamber: every cone developed into "
                 "the sector it is\nrolled from, every parallel section into its rectangle. "
                 "Takes every flag of 'design', with\nthe same checks and messages, and writes "
                 "at least one of --pdf, --svg, --dxf ('-' for standard\noutput).\n"
                 "Exit status: 0 written, 1 a file could not be written (none is left), 2 check "
                 "failure,\n64 usage error.",
                 name};
    bool version = false;
    app.add_flag("--version", version, "Print the version and exit");
    cli::Design_Flags design;
    cli::Add_Design_Flags(app, design, false);
    Template_Flags t;
    const auto option = [&app](const char* flag, std::string& target, const char* help,
                               const char* type) {
        app.add_option(flag, target, help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name(type);
    };
    option("--sheet", t.sheet, "Sheet thickness, mm, 0.3 to 3.0 (default 1.0)", "T");
    option("--seam", t.seam,
           "Seam allowance along one straight edge, mm, 0 to 20 (default 0: butt weld)", "T");
    option("--pieces", t.pieces, "Equal pieces per cone, 1 to 4 (default 1)", "N");
    option("--paper", t.paper, "Paper of the PDF: a4 or letter (default a4)", "a4|letter");
    option("--pdf", t.pdf, "Write the printable pattern set (PDF)", "FILE");
    option("--svg", t.svg, "Write every piece at full size on one sheet (SVG)", "FILE");
    option("--dxf", t.dxf, "Write the cutting drawing (DXF R12, mm)", "FILE");

    const std::vector<std::string> args = platform::Arguments(argc, argv);
    const int parsed = cli::Parse(app, cli::Prepare_Args(args), std::cout, std::cerr);
    if (parsed >= 0)
        return parsed;
    if (version) {
        std::cout << name << " " << Ecd_Version << "\n";
        return cli::ExitOk;
    }
    const auto usage = [&name](const std::string& message) {
        return cli::Usage_Error(name, message, std::cerr);
    };

    std::vector<Pattern_Output> outputs;
    std::vector<std::string> paths;
    for (const auto& [format, path, flag] : {std::tuple{Pattern_Format::Pdf, t.pdf, "--pdf"},
                                             std::tuple{Pattern_Format::Svg, t.svg, "--svg"},
                                             std::tuple{Pattern_Format::Dxf, t.dxf, "--dxf"}}) {
        if (app.count(flag) == 0)
            continue;
        if (path.empty())
            return usage(std::string(flag) + ": a file name is needed");
        outputs.push_back({format, path});
        paths.push_back(path);
    }
    if (outputs.empty())
        return usage("give at least one of --pdf FILE, --svg FILE, --dxf FILE");
    if (const std::string twice = Same_File_Twice(paths); !twice.empty())
        return usage(twice);
    if (app.count("--open") > 0)
        for (const auto& o : outputs)
            if (!Same_File_Twice({design.open, o.path}).empty())
                return usage(o.path + " is the design file opened (--open): the patterns would " +
                             "take its place");
    const bool toStandardOutput = std::find(paths.begin(), paths.end(), "-") != paths.end();
    if (toStandardOutput && design.json)
        return usage(cli::Json_Beside_Standard_Output);
    Pattern_Options options;
    Paper paper = Paper::A4;
    if (const std::string wrong = Read_Options(t, options, paper); !wrong.empty())
        return usage(wrong);
    // With a file on standard output, what the command says goes to standard error.
    std::ostream& report = toStandardOutput ? std::cerr : std::cout;

    // The design, exactly as the design command checks and computes it.
    std::string unread;
    const std::optional<Design_Form> form = cli::Design_Form_Of(design, unread);
    if (!form) {
        std::cerr << name << ": cannot open " << design.open << ": " << unread << "\n";
        return cli::ExitFailure;
    }
    const Outcome<Chamber_Design> run = Calc_Design(*form);
    cli::Report summary = Design_Report(run);
    if (summary.failure)
        return cli::Print_Report(summary, design.json, report, std::cerr);

    const Chamber_Patterns set = Make_Chamber_Patterns(run.value, options);

    // Fonts for the PDF need the GUI application object; no window is shown.
    std::unique_ptr<QGuiApplication> gui;
    for (const auto& o : outputs)
        if (o.format == Pattern_Format::Pdf && !gui) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            // Qt's notes about the session (no runtime folder and the like) are no
            // business of this command's user; real errors come back as failed writes.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::cerr << m.toStdString() << "\n";
            });
            // The same PDF for the same patterns, run after run: Qt writes a PDF's fonts in the
            // order of a hash table, which is otherwise seeded afresh in every process.
            QHashSeed::setDeterministicGlobalSeed();
            static int qtArgc = 1;
            static char* qtArgv[] = {argv[0], nullptr};
            gui = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        }

    std::string error;
    const bool pdf = std::any_of(outputs.begin(), outputs.end(), [](const Pattern_Output& o) {
        return o.format == Pattern_Format::Pdf;
    });
    if (const std::string piece = Untileable_Piece(set, paper); pdf && !piece.empty())
        error = "cannot write " + t.pdf + ": the piece " + piece + " is too large to tile on paper";
    else
        Write_Pattern_Files(outputs, set, paper, error);

    cli::Json json = cli::Report_Json(summary);
    if (design.json) {
        cli::Json& tj = json["templates"];
        tj["sheet"] = options.sheet;
        tj["seamAllowance"] = options.seam;
        tj["piecesPerCone"] = options.pieces;
        tj["paper"] = Paper_Name(paper);
        tj["files"] = cli::Json::object();
        if (error.empty())
            for (const auto& o : outputs)
                tj["files"][o.format == Pattern_Format::Pdf   ? "pdf"
                            : o.format == Pattern_Format::Svg ? "svg"
                                                              : "dxf"] = o.path;
        tj["error"] = error.empty() ? cli::Json(nullptr) : cli::Json(error);
        const int pages = Pattern_Page_Count(set, paper);
        tj["pdfPages"] = pages > 0 ? cli::Json(pages) : cli::Json(nullptr);
        tj["pieces"] = cli::Json::array();
        for (const auto& p : set.pieces)
            tj["pieces"].push_back(Piece_Json(p, paper));
        tj["omitted"] = cli::Json::array();
        for (const auto& s : set.omitted)
            tj["omitted"].push_back(
                {{"section", s.name},
                 {"role", s.role},
                 {"length", s.length},
                 {"reason", "shorter than " + Fixed(Least_Cut_Length) + " mm, nothing to cut"}});
        std::cout << json.dump(2) << "\n";
        if (!error.empty())
            std::cerr << name << ": " << error << "\n";
        return error.empty() ? cli::ExitOk : cli::ExitFailure;
    }

    if (!error.empty()) {
        summary.plainLines.clear();
        cli::Print_Report(summary, false, report, std::cerr);
        std::cerr << name << ": " << error << "\n";
        return cli::ExitFailure;
    }
    cli::Print_Report(summary, false, report, std::cerr);
    report << "Flat patterns: " << set.pieces.size() << " pieces, sheet " << Fixed(options.sheet)
           << " mm\n";
    for (const auto& s : set.omitted)
        report << "No piece for " << s.name << " (" << s.role << "): " << Fixed(s.length)
               << " mm long, shorter than " << Fixed(Least_Cut_Length) << " mm\n";
    for (const auto& o : outputs) {
        report << "Wrote " << o.path;
        if (o.format == Pattern_Format::Pdf)
            report << " (" << Pattern_Page_Count(set, paper) << " pages, " << Paper_Name(paper)
                   << ")";
        report << "\n";
    }
    return cli::ExitOk;
}
