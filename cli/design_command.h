#pragma once
// The "design" command: the design window's option groups and field texts from flags, the
// same checks in the same order, and the dimension table as the window shows it.

#include "cli/cli_common.h"
#include "design/design_pipeline.h"

#include <CLI/CLI.hpp>

namespace cli {

struct Design_Flags {
    Design_Form form;
    bool twoStage = false, threeStage = false;
    bool tempManual = false, tempBmep = false;
    bool coefManual = false, coefBmep = false;
    bool json = false;
};

// Registers the design flags (options, fields, --name, --json) on a command.
void Add_Design_Flags(CLI::App& cmd, Design_Flags& flags);

// The form with its three choices from the flags.
Design_Form Design_Form_Of(const Design_Flags& flags);

// The report of a design run: the result table's texts and the stored quantities.
Report Design_Report(const Outcome<Chamber_Design>& run);

// The whole "design" command on parsed flags: prints and returns the exit code.
int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err);

} // namespace cli
