#pragma once
// Shared pieces of the command-line calculator: argument preparation, exit codes, the
// JSON and plain-text reports of a check outcome.

#include "common/field_failure.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace cli {

using Json = nlohmann::ordered_json;

enum Exit_Code : int { ExitOk = 0, ExitFailure = 1, ExitCheckFailed = 2, ExitUsage = 64 };

// "templates" draws with Qt, so it is a program of its own beside the calculator, which
// hands the command over to it; started that way it calls itself by the command's name.
inline constexpr const char* Templates_Program = "expansion-chamber-templates";
inline constexpr const char* Templates_Command_Name = "expansion-chamber-calc templates";

// The arguments as CLI11 should see them: "--flag=" (an empty text after the equals sign)
// becomes "--flag" followed by an empty argument, which CLI11 takes as the empty text.
std::vector<std::string> Prepare_Args(const std::vector<std::string>& args);

// Parses the prepared arguments; on --help prints the help and returns ExitOk, on a usage
// error prints the message and a pointer to the help of the command in use and returns
// ExitUsage. -1: parsed.
int Parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err);

// A stored single-precision quantity as a JSON number with 9 significant digits, so that
// it reads back to the same float.
Json Single_Json(float value);

// The control that takes the focus, as the windows name it ("Texh(9)"), or null.
Json Focus_Json(const std::string& array, int index);

// What one check-and-compute run produced, ready to print.
struct Report {
    std::string fieldArray;              // "Texh", "BHP_Txt", ... (focus names)
    std::string ordinateArray;           // for ordinate failures: "OrdTxt"
    std::vector<Field_Warning> warnings; // shown before the outcome, in order
    std::optional<Field_Failure> failure;
    std::vector<std::pair<std::string, std::string>> display; // control -> shown text
    std::vector<std::pair<std::string, float>> values;        // stored quantities
    std::vector<std::string> plainLines; // the result as plain text (when no failure)
};

Json Report_Json(const Report& r);

// A usage error found after parsing: the message, the pointer to the command's help, and
// ExitUsage. `command` is the command as the user types it ("expansion-chamber-calc bmep").
int Usage_Error(const std::string& command, const std::string& message, std::ostream& err);

// Prints the report as JSON (stdout) or as plain text (results on stdout, warnings and
// the failure on stderr) and returns the exit code: ExitOk or ExitCheckFailed.
int Print_Report(const Report& r, bool json, std::ostream& out, std::ostream& err);

} // namespace cli
