#include "cli/design_command.h"

#include "core/chamber/design_file.h"
#include "core/chamber/pipe_check.h"
#include "core/files/file_name.h"
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

void Add_Compare_Flags(CLI::App& cmd, Compare_Flags& flags) {
    cmd.add_option("a", flags.a, "The first design file (.ecd)")->required()->type_name("A.ecd");
    cmd.add_option("b", flags.b, "The second design file (.ecd)")->required()->type_name("B.ecd");
    cmd.add_flag("--json", flags.json, "Print one JSON object");
}

int Compare_Command(const Compare_Flags& flags, std::ostream& out, std::ostream& err) {
    const std::string command = "expansion-chamber-calc compare";
    std::vector<Design_State> states;
    std::vector<std::string> names;
    for (const std::string& path : {flags.a, flags.b}) {
        std::string error;
        const auto bytes = Read_File(path, Design_File_Largest, error);
        const Design_File_Read read = bytes ? Read_Design_File(*bytes) : Design_File_Read{};
        if (!bytes || !read.form) {
            err << command << ": cannot open " << path << ": " << (bytes ? read.problem : error)
                << "\n";
            return ExitFailure;
        }
        const Outcome<Chamber_Design> run = Calc_Design(*read.form);
        if (!run.ok()) {
            err << command << ": " << path << " gives no design:\n";
            const report::Report r = Design_Report(run);
            for (const std::string& line : report::Plain_Message(
                     r, run.failure->title, run.failure->prompt, run.failure->field))
                err << line << "\n";
            return ExitCheckFailed;
        }
        states.push_back(run.value.state);
        names.push_back(Compare_Name(read.form->PipeName, File_Stem(path),
                                     static_cast<char>('A' + names.size())));
    }
    const std::vector<Compare_Row> rows = Compare_Designs(states[0], states[1]);
    if (flags.json) {
        out << Compare_Json(names[0], names[1], rows).dump(2) << "\n";
    } else {
        for (const std::string& line : Compare_Lines(names[0], names[1], rows))
            out << line << "\n";
    }
    return ExitOk;
}

} // namespace cli
