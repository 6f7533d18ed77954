#pragma once
// The "design" command: the design window's option groups and field texts from flags, the
// same checks in the same order, and the dimension table as the window shows it.

#include "cli/cli_common.h"
#include "design/chamber.h"
#include "design/dsn_check.h"

#include <CLI/CLI.hpp>

namespace cli {

struct Design_Flags {
    Dsn_Form_Input form;
    bool twoStage = false, threeStage = false;
    bool tempManual = false, tempBmep = false;
    bool coefManual = false, coefBmep = false;
    bool json = false;
};

// Registers the design flags (options, fields, --name, --json) on a command.
void Add_Design_Flags(CLI::App& cmd, Design_Flags& flags);

// The window's option states from the flags.
Dsn_Form_Input Design_Form(const Design_Flags& flags);

struct Design_Run {
    Dsn_Check check;  // warnings, failure, accepted input
    DsnResult result; // every stage, when the check passed
};

// The checks, then (when they pass) the lengths and diameters.
Design_Run Run_Design(const Dsn_Form_Input& form);

// The report of a design run: the result table's texts and the stored quantities.
Report Design_Report(const Design_Run& run, const std::string& pipeName);

// The whole "design" command on parsed flags: prints and returns the exit code.
int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err);

} // namespace cli
