// expansion-chamber-calc: the design and the four calculators on the command line. Takes
// the same texts that the windows' fields take and runs the same checks in the same order.

#include "cli/design_command.h"
#include "cli/tool_commands.h"
#include "common/platform.h"

#include <iostream>

namespace {
// Hands "templates" over to its own program in the calculator's folder, so that the other
// commands never load Qt.
int Run_Templates(int argc, char** argv) {
#ifdef ECD_HAS_TEMPLATES
    const std::string program = platform::Program_Folder(argv[0]) + "/" + cli::Templates_Program;
    std::vector<std::string> args{cli::Templates_Command_Name};
    for (int i = 2; i < argc; ++i)
        args.emplace_back(argv[i]);
    std::string error;
    const int status = platform::Run_Instead(program, args, error);
    if (status >= 0)
        return status;
    std::cerr << "expansion-chamber-calc: cannot run " << program << ": " << error << "\n";
    return cli::ExitFailure;
#else
    (void)argc;
    (void)argv;
    std::cerr << "expansion-chamber-calc: this build has no templates command (it was built "
                 "without Qt)\n";
    return cli::ExitUsage;
#endif
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "templates")
        return Run_Templates(argc, argv);

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
