// expansion-chamber-calc: the design and the four calculators on the command line. Takes
// the same texts that the windows' fields take and runs the same checks in the same order.

#include "cli/design_command.h"
#include "cli/tool_commands.h"
#include "fabrication/templates_exec.h"

#include <iostream>

int main(int argc, char** argv) {
    // "templates" draws with Qt, so it is a program of its own: the other commands never
    // load Qt. It takes the same design flags.
    if (argc > 1 && std::string(argv[1]) == "templates")
        return Exec_Templates(argc, argv);

    CLI::App app{"Expansion Chamber Design Utility - command-line calculator.\n"
                 "Every field flag takes one text, exactly as typed into the window's field;\n"
                 "a field flag left out is an empty field, an option left out is unset.\n"
                 "Exit status: 0 result, 2 check failure, 64 usage error.",
                 "expansion-chamber-calc"};
    app.require_subcommand(1);

    cli::Design_Flags design;
    CLI::App* designCmd = app.add_subcommand("design", "Expansion chamber dimensions");
    cli::Add_Design_Flags(*designCmd, design);

    app.add_subcommand("templates", "Full-size flat patterns of the chamber (PDF, SVG, DXF)");

    cli::Tool_Commands tools;
    tools.add(app);

    const int parsed = cli::Parse(app, cli::Prepare_Args(argc, argv), std::cout, std::cerr);
    if (parsed >= 0)
        return parsed;
    if (designCmd->parsed())
        return cli::Design_Command(design, std::cout, std::cerr);
    return tools.run(std::cout, std::cerr);
}
