#include "cli/design_command.h"

#include "core/chamber/design_file.h"
#include "core/files/file_output.h"

#include <ostream>

namespace cli {

void Add_Design_Flags(CLI::App& cmd, Design_Flags& f, bool withSave) {
    f.form.Add(cmd, Words_Of(Form_Key::Design));
    const auto file = [&](const char* name, std::string& target, const char* help) {
        cmd.add_option(name, target, help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("FILE");
    };
    file("--open", f.open, "Start from this design file (.ecd); flags given beside it win");
    if (withSave)
        file("--save", f.save, "Save the design to this file (.ecd), also when a check fails");
    cmd.add_flag("--json", f.json, "Print one JSON object");
}

std::optional<Design_Form> Design_Form_Of(const Design_Flags& f, std::string& error,
                                          Form_Entries* engine) {
    Form_Entries entries = f.form.Entries();
    if (f.form.Given("--open")) {
        const auto bytes = Read_File(f.open, Design_File_Largest, error);
        if (!bytes)
            return std::nullopt;
        const Design_File_Read read = Read_Design_File(*bytes);
        if (!read.form) {
            error = read.problem;
            return std::nullopt;
        }
        if (engine)
            *engine = read.engine;
        // The file's form, but for what the line gives.
        Form_Entries given = std::move(entries);
        entries = Entries_Of(*read.form);
        for (const Field_Word& field : f.form.Form().fields)
            if (f.form.Given(field.flag))
                entries.texts[field.key] = given[field.key];
        for (const Choice_Group& group : f.form.Form().choices)
            if (!given[group.key].empty())
                entries.texts[group.key] = given[group.key];
    }
    return Design_Form_Of(entries);
}

int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err) {
    const std::string command = "expansion-chamber-calc design";
    const bool saveToStandardOutput = flags.form.Given("--save") && flags.save == "-";
    if (saveToStandardOutput && flags.json)
        return Usage_Error(command, Json_Beside_Standard_Output, err);
    std::string error;
    Form_Entries engine; // kept in the saved file as the file had it
    const std::optional<Design_Form> form = Design_Form_Of(flags, error, &engine);
    if (!form) {
        err << command << ": cannot open " << flags.open << ": " << error << "\n";
        return ExitFailure;
    }
    const Outcome<Chamber_Design> run = Calc_Design(*form);
    // With the design file on standard output, what the command says goes to standard error.
    const int status =
        Print_Report(Design_Report(run), flags.json, saveToStandardOutput ? err : out, err);
    if (flags.form.Given("--save")) {
        if (const auto failure = Write_File(flags.save, Design_File_Text(*form, run, engine))) {
            err << command << ": " << failure->text() << "\n";
            return ExitFailure;
        }
    }
    return status;
}

} // namespace cli
