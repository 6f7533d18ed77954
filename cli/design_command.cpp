#include "cli/design_command.h"

#include <iomanip>
#include <sstream>

namespace cli {

void Add_Design_Flags(CLI::App& cmd, Design_Flags& f) {
    auto* two = cmd.add_flag("--two-stage", f.twoStage, "Two-stage diffuser");
    auto* three = cmd.add_flag("--three-stage", f.threeStage, "Three-stage diffuser (horn)");
    two->excludes(three);
    auto* tm = cmd.add_flag("--temp-manual", f.tempManual, "Exhaust temperature typed (--temp)");
    auto* tb = cmd.add_flag("--temp-bmep", f.tempBmep, "Exhaust temperature from --bmep");
    tm->excludes(tb);
    auto* cm = cmd.add_flag("--coef-manual", f.coefManual, "Coefficients typed (--mid, --tail)");
    auto* cb = cmd.add_flag("--coef-bmep", f.coefBmep, "Coefficients from --bmep");
    cm->excludes(cb);

    auto text = [&](const char* name, std::string& target, const char* help) {
        cmd.add_option(name, target, help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("TEXT");
    };
    text("--name", f.form.PipeName, "Pipe name (free text)");
    text("--horn", f.form.Texh[TexhHorn], "Horn coefficient, 1.25 to 2.0 (three stages)");
    text("--bmep", f.form.Texh[TexhBmep], "Target BMEP at maximum power, bar, 8 to 12");
    text("--temp", f.form.Texh[TexhTemp], "Mean exhaust temperature, degrees C, 450 to 650");
    text("--dx", f.form.Texh[TexhDX], "Exhaust port effective diameter DX, mm, 1 to 100");
    text("--d1", f.form.Texh[TexhD1], "Barrel flange diameter D1, mm, DX to 1.2 x DX");
    text("--lx", f.form.Texh[TexhLX], "Length from piston face to flange LX, mm, 2 to 100");
    text("--mid", f.form.Texh[TexhMid], "Mid-section diameter coefficient, 2.125 to 3.25");
    text("--tail", f.form.Texh[TexhTail], "Tail pipe diameter coefficient, 0.5 to 0.8");
    text("--angle", f.form.Texh[TexhAngle], "Exhaust port opening angle, deg ATDC, 70 to 105");
    text("--rpm", f.form.Texh[TexhSpeed], "Engine speed at maximum power, rpm, 1000 to 50000");
    cmd.add_flag("--json", f.json, "Print one JSON object");
}

Design_Form Design_Form_Of(const Design_Flags& f) {
    Design_Form form = f.form;
    const auto source = [](bool typed, bool fromBmep) {
        return fromBmep ? Value_Source::FromBmep
               : typed  ? Value_Source::Typed
                        : Value_Source::Unset;
    };
    form.Diffuser = f.threeStage ? Diffuser_Type::ThreeStage
                    : f.twoStage ? Diffuser_Type::TwoStage
                                 : Diffuser_Type::Unset;
    form.TempSource = source(f.tempManual, f.tempBmep);
    form.CoefSource = source(f.coefManual, f.coefBmep);
    return form;
}

Report Design_Report(const Outcome<Chamber_Design>& run) {
    Report rep;
    rep.fieldArray = "Texh";
    rep.warnings = run.warnings;
    rep.failure = run.failure;
    if (rep.failure)
        return rep;

    const DsnInput& in = run.value.input;
    const DsnResult& r = run.value.result;
    const Result_Table table = Make_Result_Table(run.value.state);
    rep.display.emplace_back("PrtDia", Box_Text(table.PrtDia));
    rep.display.emplace_back("PrtLth", Box_Text(table.PrtLth));
    for (size_t i = 0; i < table.Texdiam.size(); ++i)
        rep.display.emplace_back("Texdiam(" + std::to_string(i) + ")", Box_Text(table.Texdiam[i]));
    for (size_t j = 0; j < table.Texlen.size(); ++j)
        rep.display.emplace_back("Texlen(" + std::to_string(j) + ")", Box_Text(table.Texlen[j]));
    rep.display.emplace_back("TexTotLth", Box_Text(table.TexTotLth));

    rep.values = {{"GasTemp", r.GasTemp},   {"MidCoef", r.MidCoef},
                  {"TailCoef", r.TailCoef}, {"SoundSpeed", r.SoundSpeed},
                  {"ETotal", r.ETotal},     {"MaxPrtLnth", r.MaxPrtLnth}};
    for (int i = 0; i <= r.Numdiam; ++i)
        rep.values.emplace_back("Diam[" + std::to_string(i) + "]", r.Diam[i]);
    for (int j = 0; j <= r.Numlen; ++j)
        rep.values.emplace_back("Lnth[" + std::to_string(j) + "]", r.Lnth[j]);

    // The result table as the window lays it out: diameters left, lengths right.
    std::vector<std::string>& lines = rep.plainLines;
    if (!in.PipeName.empty())
        lines.push_back("Pipe Name: " + in.PipeName);
    lines.push_back(std::string(in.ThreeStage ? "Three" : "Two") + " Stage diffuser");
    lines.push_back("Exhaust System Dimensions (mm)");
    auto row = [](const std::string& dLabel, const std::string& dValue, const std::string& lLabel,
                  const std::string& lValue) {
        std::ostringstream s;
        s << std::left << std::setw(4) << dLabel << std::right << std::setw(7) << dValue << "      "
          << std::left << std::setw(4) << lLabel << std::right << std::setw(7) << lValue;
        std::string t = s.str();
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    };
    lines.push_back(row("", "Diameter", "", "Length"));
    lines.push_back(row("DX", table.PrtDia, "LX", table.PrtLth));
    for (size_t k = 0; k < table.Texlen.size(); ++k) {
        const bool hasD = k < table.Texdiam.size();
        lines.push_back(row(hasD ? "D" + std::to_string(k + 1) : "", hasD ? table.Texdiam[k] : "",
                            "L" + std::to_string(k + 1), table.Texlen[k]));
    }
    lines.push_back("Tuned Length from Piston Face to Tail Pipe Entry: " + table.TexTotLth);
    return rep;
}

int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err) {
    return Print_Report(Design_Report(Calc_Design(Design_Form_Of(flags))), flags.json, out, err);
}

} // namespace cli
