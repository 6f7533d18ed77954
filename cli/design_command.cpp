#include "cli/design_command.h"

#include "common/file_output.h"
#include "design/design_file.h"

#include <ostream>

namespace cli {

namespace {
struct Field_Flag {
    const char* flag;
    Texh_Index field;
    const char* help;
};
const Field_Flag Field_Flags[] = {
    {"--horn", TexhHorn, "Horn coefficient, 1.25 to 2.0 (three stages)"},
    {"--bmep", TexhBmep, "Target BMEP at maximum power, bar, 8 to 12"},
    {"--temp", TexhTemp, "Mean exhaust temperature, degrees C, 450 to 650"},
    {"--dx", TexhDX, "Exhaust port effective diameter DX, mm, 1 to 100"},
    {"--d1", TexhD1, "Barrel flange diameter D1, mm, DX to 1.2 x DX"},
    {"--lx", TexhLX, "Length from piston face to flange LX, mm, 2 to 100"},
    {"--mid", TexhMid, "Mid-section diameter coefficient, 2.125 to 3.25"},
    {"--tail", TexhTail, "Tail pipe diameter coefficient, 0.5 to 0.8"},
    {"--angle", TexhAngle, "Exhaust port opening angle, deg ATDC, 70 to 105"},
    {"--rpm", TexhSpeed, "Engine speed at maximum power, rpm, 1000 to 50000"},
};

bool Given(const Design_Flags& f, const char* flag) {
    return f.command && f.command->count(flag) > 0;
}
} // namespace

void Add_Design_Flags(CLI::App& cmd, Design_Flags& f, bool withSave) {
    f.command = &cmd;
    auto* two = cmd.add_flag("--two-stage", f.twoStage, "Two-stage diffuser");
    auto* three = cmd.add_flag("--three-stage", f.threeStage, "Three-stage diffuser (horn)");
    two->excludes(three);
    auto* tm = cmd.add_flag("--temp-manual", f.tempManual, "Exhaust temperature typed (--temp)");
    auto* tb = cmd.add_flag("--temp-bmep", f.tempBmep, "Exhaust temperature from --bmep");
    tm->excludes(tb);
    auto* cm = cmd.add_flag("--coef-manual", f.coefManual, "Coefficients typed (--mid, --tail)");
    auto* cb = cmd.add_flag("--coef-bmep", f.coefBmep, "Coefficients from --bmep");
    cm->excludes(cb);

    auto text = [&](const char* name, std::string& target, const char* help, const char* type) {
        cmd.add_option(name, target, help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name(type);
    };
    text("--name", f.form.PipeName, "Pipe name (free text)", "TEXT");
    for (const Field_Flag& field : Field_Flags)
        text(field.flag, f.form.Texh[field.field], field.help, "TEXT");
    text("--open", f.open, "Start from this design file (.ecd); flags given beside it win", "FILE");
    if (withSave)
        text("--save", f.save, "Save the design to this file (.ecd), also when a check fails",
             "FILE");
    cmd.add_flag("--json", f.json, "Print one JSON object");
}

std::optional<Design_Form> Design_Form_Of(const Design_Flags& f, std::string& error) {
    Design_Form form = f.form;
    if (Given(f, "--open")) {
        const auto bytes = Read_File(f.open, Design_File_Largest, error);
        if (!bytes)
            return std::nullopt;
        const Design_File_Read read = Read_Design_File(*bytes);
        if (!read.form) {
            error = read.problem;
            return std::nullopt;
        }
        form = *read.form;
        if (Given(f, "--name"))
            form.PipeName = f.form.PipeName;
        for (const Field_Flag& field : Field_Flags)
            if (Given(f, field.flag))
                form.Texh[field.field] = f.form.Texh[field.field];
    }
    const auto source = [](bool typed, bool fromBmep, Value_Source fromFile) {
        return fromBmep ? Value_Source::FromBmep : typed ? Value_Source::Typed : fromFile;
    };
    form.Diffuser = f.threeStage ? Diffuser_Type::ThreeStage
                    : f.twoStage ? Diffuser_Type::TwoStage
                                 : form.Diffuser;
    form.TempSource = source(f.tempManual, f.tempBmep, form.TempSource);
    form.CoefSource = source(f.coefManual, f.coefBmep, form.CoefSource);
    return form;
}

int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err) {
    const std::string command = "expansion-chamber-calc design";
    const bool saveToStandardOutput = Given(flags, "--save") && flags.save == "-";
    if (saveToStandardOutput && flags.json)
        return Usage_Error(command, Json_Beside_Standard_Output, err);
    std::string error;
    const std::optional<Design_Form> form = Design_Form_Of(flags, error);
    if (!form) {
        err << command << ": cannot open " << flags.open << ": " << error << "\n";
        return ExitFailure;
    }
    const Outcome<Chamber_Design> run = Calc_Design(*form);
    // With the design file on standard output, what the command says goes to standard error.
    const int status =
        Print_Report(Design_Report(run), flags.json, saveToStandardOutput ? err : out, err);
    if (Given(flags, "--save")) {
        if (const auto failure = Write_File(flags.save, Design_File_Text(*form, run))) {
            err << command << ": " << failure->text() << "\n";
            return ExitFailure;
        }
    }
    return status;
}

} // namespace cli
