#pragma once
// The calculator commands: bmep, port-height, rect-port, profiled-port, port-map and
// pipe-check, each with the flags of its window's form.

#include "cli/cli_common.h"
#include "core/calculators/tool_reports.h"
#include "core/chamber/pipe_check.h"

#include <array>

namespace cli {

// Registers the commands on the program; `run` takes the one that was chosen.
class Tool_Commands {
public:
    void add(CLI::App& app);
    // The chosen command's report and exit code; -1 when none of them was chosen.
    int run(std::ostream& out, std::ostream& err) const;

private:
    struct Command {
        CLI::App* app = nullptr;
        Form_Flags flags;
        bool json = false;
    };
    // What is wrong with the number of ordinates given, or an empty text.
    static std::string Surplus_Stations(const Form_Entries& entries);

    std::array<Command, 6> commands_;
};

} // namespace cli
