#include "cli/calculator.h"

#include "cli/design_command.h"
#include "cli/tool_commands.h"
#include "cli/waves_command.h"
#include "ecd_version.h"

#include <ostream>

namespace cli {

int Calculator_Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App app{"Expansion Chamber Design Utility - command-line calculator.\n"
                 "Every field flag takes one text, exactly as typed into the window's field;\n"
                 "a field flag left out is an empty field, an option left out is unset.\n"
                 "Exit status: 0 result, 1 a file could not be read or written, 2 check failure,\n"
                 "64 usage error.",
                 "expansion-chamber-calc"};
    app.require_subcommand(1);
    // Flags start with "-" on every system: a text such as "/kw" is a text, also on Windows.
    app.allow_windows_style_options(false);
    // The version needs no command: it is answered before the command line is parsed.
    app.add_flag("--version", "Print the version and exit");
    if (!args.empty() && args[0] == "--version") {
        out << "expansion-chamber-calc " << Ecd_Version << "\n";
        return ExitOk;
    }

    Design_Flags design;
    CLI::App* designCmd =
        app.add_subcommand(Words_Of(Form_Key::Design).command, "Expansion chamber dimensions");
    Add_Design_Flags(*designCmd, design, true);

    app.add_subcommand(Words_Of(Form_Key::Patterns).command,
                       "Full-size flat patterns of the chamber (PDF, SVG, DXF)");

    Tool_Commands tools;
    tools.add(app);

    Waves_Flags waves;
    CLI::App* wavesCmd = app.add_subcommand(
        "waves", "The pressure wave the pipe returns to the port, at one speed or a sweep");
    Add_Waves_Flags(*wavesCmd, waves);

    Compare_Flags compare;
    CLI::App* compareCmd = app.add_subcommand(
        "compare", "Two design files side by side: every length and diameter, and A - B");
    Add_Compare_Flags(*compareCmd, compare);

    const int parsed = Parse(app, Prepare_Args(args), out, err);
    if (parsed >= 0)
        return parsed;
    if (designCmd->parsed())
        return Design_Command(design, out, err);
    if (compareCmd->parsed())
        return Compare_Command(compare, out, err);
    if (wavesCmd->parsed())
        return Waves_Command(waves, out, err);
    return tools.run(out, err);
}

} // namespace cli
