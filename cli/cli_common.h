#pragma once
// Shared pieces of the command-line calculator: argument preparation, exit codes, and the
// printing of a check outcome as JSON or plain text.

#include "core/fields/field_failure.h"
#include "core/fields/form_entries.h"
#include "core/fields/report.h"

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace cli {

using report::Json;
using report::Report;
using report::Report_Json;

enum Exit_Code : int { ExitOk = 0, ExitFailure = 1, ExitCheckFailed = 2, ExitUsage = 64 };

// "templates" draws with Qt, so it is a program of its own beside the calculator, which
// hands the command over to it; started that way it calls itself by the command's name.
inline constexpr const char* Templates_Program = "expansion-chamber-templates";
inline constexpr const char* Templates_Command_Name = "expansion-chamber-calc templates";

// Refused: the JSON report and a file written to standard output ("-") would mix there.
inline constexpr const char* Json_Beside_Standard_Output =
    "--json and a file on standard output ('-') cannot share it";

// A form's flags on a command, all from the vocabulary: a flag for each word of an option
// group (the group's words exclude one another) or one flag taking the word, and a flag
// for each field with its help line. A field left out has its opening text.
class Form_Flags {
public:
    void Add(CLI::App& command, const Form_Words& form);
    const Form_Words& Form() const { return *form_; }
    // Whether the flag was given on the line.
    bool Given(const std::string& flag) const;
    // What was given, in the vocabulary's words.
    Form_Entries Entries() const;
    // Every flag of the option group's words, joined by "or" ("--hp or --kw").
    static std::string Flags_Of(const Choice_Group& group);

private:
    const Form_Words* form_ = nullptr;
    CLI::App* command_ = nullptr;
    std::map<std::string, std::string> texts_; // by key: fields, and groups taking a word
    std::map<std::string, bool> words_;        // by flag: the words' own flags
    std::vector<std::string> stations_;
};

// The arguments as CLI11 should see them: "--flag=" (an empty text after the equals sign)
// becomes "--flag" followed by an empty argument, which CLI11 takes as the empty text.
std::vector<std::string> Prepare_Args(const std::vector<std::string>& args);

// Parses the prepared arguments; on --help prints the help and returns ExitOk, on a usage
// error prints the message and a pointer to the help of the command in use and returns
// ExitUsage. -1: parsed.
int Parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err);

// A usage error found after parsing: the message, the pointer to the command's help, and
// ExitUsage. `command` is the command as the user types it ("expansion-chamber-calc bmep").
int Usage_Error(const std::string& command, const std::string& message, std::ostream& err);

// Prints the report as JSON (stdout) or as plain text (results on stdout, warnings and
// the failure on stderr) and returns the exit code: ExitOk or ExitCheckFailed.
int Print_Report(const Report& r, bool json, std::ostream& out, std::ostream& err);

} // namespace cli
