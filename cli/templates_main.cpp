// expansion-chamber-templates: the "templates" command of expansion-chamber-calc, as a
// program of its own so that the calculator's other commands never load Qt. Takes every
// flag of "design", runs the same checks with the same messages, and writes the full-size
// flat patterns of the computed chamber as PDF, SVG and DXF.

#include "cli/design_command.h"
#include "core/fields/field_check.h"
#include "core/fields/numbers.h"
#include "core/files/file_output.h"
#include "core/files/platform.h"
#include "core/patterns/pattern_fields.h"
#include "core/patterns/pattern_report.h"
#include "desktop/pattern_print/pattern_files.h"
#include "ecd_version.h"

#include <QGuiApplication>
#include <QHashFunctions>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>
#include <optional>

namespace {

// The outputs' flags, with what each writes.
struct Output_Flag {
    Pattern_Format format;
    const char* flag;
    const char* help;
};
const Output_Flag Output_Flags[] = {
    {Pattern_Format::Pdf, "--pdf", "Write the printable pattern set (PDF)"},
    {Pattern_Format::Svg, "--svg", "Write every piece at full size on one sheet (SVG)"},
    {Pattern_Format::Dxf, "--dxf", "Write the cutting drawing (DXF R12, mm)"},
};

// The options, or what is wrong with them, in the checks' words after the flag.
std::string Read_Options(const cli::Form_Flags& flags, Pattern_Options& options, Paper& paper) {
    const Form_Entries entries = flags.Entries();
    const Form_Words& words = flags.Form();
    const Outcome<Pattern_Options> checked = Check_Pattern_Fields(Field_Texts<3>(words, entries));
    if (const auto& f = checked.failure) {
        const Field_Word& field = *words.At(f->field);
        return std::string(field.flag) + " '" + entries[field.key] + "': " + f->title + ": " +
               f->prompt;
    }
    const Choice_Group& group = words.choices.front();
    const std::optional<Paper> chosen = Paper_Of(entries[group.key]);
    if (!chosen) {
        std::string choices;
        for (const Choice_Word& w : group.words)
            choices += std::string(choices.empty() ? "" : " or ") + w.word;
        return std::string(group.flag) + " '" + entries[group.key] + "': choose " + choices;
    }
    options = checked.value;
    paper = *chosen;
    return "";
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
    cli::Form_Flags patternFlags;
    patternFlags.Add(app, Words_Of(Form_Key::Patterns));
    std::string outputPaths[std::size(Output_Flags)];
    for (size_t i = 0; i < std::size(Output_Flags); ++i)
        app.add_option(Output_Flags[i].flag, outputPaths[i], Output_Flags[i].help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("FILE");

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
    for (size_t i = 0; i < std::size(Output_Flags); ++i) {
        const char* flag = Output_Flags[i].flag;
        if (app.count(flag) == 0)
            continue;
        if (outputPaths[i].empty())
            return usage(std::string(flag) + ": a file name is needed");
        outputs.push_back({Output_Flags[i].format, outputPaths[i]});
        paths.push_back(outputPaths[i]);
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
    if (const std::string wrong = Read_Options(patternFlags, options, paper); !wrong.empty())
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
    const auto pdf = std::find_if(outputs.begin(), outputs.end(), [](const Pattern_Output& o) {
        return o.format == Pattern_Format::Pdf;
    });
    if (const std::string piece = Untileable_Piece(set, paper);
        pdf != outputs.end() && !piece.empty())
        error =
            "cannot write " + pdf->path + ": the piece " + piece + " is too large to tile on paper";
    else
        Write_Pattern_Files(outputs, set, paper, error);

    cli::Json json = cli::Report_Json(summary);
    if (design.json) {
        cli::Json& tj = json["templates"] = Patterns_Json(set, paper);
        tj["files"] = cli::Json::object();
        if (error.empty())
            for (const auto& o : outputs)
                tj["files"][o.format == Pattern_Format::Pdf   ? "pdf"
                            : o.format == Pattern_Format::Svg ? "svg"
                                                              : "dxf"] = o.path;
        tj["error"] = error.empty() ? cli::Json(nullptr) : cli::Json(error);
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
        report << Not_Cut_Sentence(s) << "\n";
    for (const auto& o : outputs) {
        report << "Wrote " << o.path;
        if (o.format == Pattern_Format::Pdf)
            report << " (" << Pattern_Page_Count(set, paper) << " pages, " << Paper_Name(paper)
                   << ")";
        report << "\n";
    }
    return cli::ExitOk;
}
