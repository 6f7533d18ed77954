#pragma once
// The "design" command: the design window's option groups and field texts from flags (or
// from a design file, the flags given beside it overriding it), the same checks in the
// same order, the dimension table as the window shows it, and the design saved to a file.

#include "cli/cli_common.h"
#include "core/chamber/design_pipeline.h"
#include "core/chamber/design_report.h"

#include <CLI/CLI.hpp>

namespace cli {

struct Design_Flags {
    Form_Flags form;
    bool json = false;
    std::string open; // a design file to start from
    std::string save; // where to save the design ("design" only)
};

// Registers the design flags (options, fields, --open, --json; --save when `withSave`) on
// a command.
void Add_Design_Flags(CLI::App& cmd, Design_Flags& flags, bool withSave);

// The form: the design file's, if one is given, with every flag given on the line taking
// the place of what the file holds. Nothing, with the reason in `error`, when the file
// cannot be opened or is no design file. The file's engine, if any, goes to `engine`.
std::optional<Design_Form> Design_Form_Of(const Design_Flags& flags, std::string& error,
                                          Form_Entries* engine = nullptr);

// The whole "design" command on parsed flags: prints and returns the exit code.
int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err);

// The "compare" command: two design files, every length, diameter and the tuned length of
// both as their result tables show them, and A minus B.
struct Compare_Flags {
    std::string a, b;
    bool json = false;
};
void Add_Compare_Flags(CLI::App& cmd, Compare_Flags& flags);
int Compare_Command(const Compare_Flags& flags, std::ostream& out, std::ostream& err);

} // namespace cli
