// expansion-chamber-calc: the design and the calculators on the command line. Takes
// the same texts that the windows' fields take and runs the same checks in the same order.

#include "cli/calculator.h"
#include "cli/cli_common.h"
#include "core/files/platform.h"

#include <iostream>

namespace {
// Hands "templates" over to its own program in the calculator's folder, so that the other
// commands never load Qt.
int Run_Templates(const char* argv0, const std::vector<std::string>& args) {
#ifdef ECD_HAS_TEMPLATES
    const std::string program = platform::Program_Folder(argv0) + "/" + cli::Templates_Program;
    std::vector<std::string> handed{cli::Templates_Command_Name};
    handed.insert(handed.end(), args.begin() + 1, args.end());
    std::string error;
    const int status = platform::Run_Instead(program, handed, error);
    if (status >= 0)
        return status;
    std::cerr << "expansion-chamber-calc: cannot run " << program << ": " << error << "\n";
    return cli::ExitFailure;
#else
    (void)argv0;
    (void)args;
    std::cerr << "expansion-chamber-calc: this build has no templates command (it was built "
                 "without Qt)\n";
    return cli::ExitUsage;
#endif
}
} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::Arguments(argc, argv);
    if (!args.empty() && args[0] == "templates")
        return Run_Templates(argv[0], args);
    return cli::Calculator_Main(args, std::cout, std::cerr);
}
