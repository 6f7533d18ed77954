#include "cli/design_command.h"

#include "common/display_format.h"

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

Dsn_Form_Input Design_Form(const Design_Flags& f) {
    Dsn_Form_Input form = f.form;
    form.Option1 = {f.twoStage, f.threeStage, f.tempManual, f.tempBmep, f.coefManual, f.coefBmep};
    form.ThreeStage = f.threeStage;
    return form;
}

Design_Run Run_Design(const Dsn_Form_Input& form) {
    Design_Run run;
    run.check = Check_Dsn_Input(form);
    if (run.check.ok()) {
        run.result = run.check.result;
        Calc_Chamber_C(run.check.input, run.result);
    }
    return run;
}

Report Design_Report(const Design_Run& run, const std::string& pipeName) {
    Report rep;
    rep.fieldArray = "Texh";
    rep.warnings = run.check.warnings;
    rep.failure = run.check.failure;
    if (rep.failure)
        return rep;

    const DsnInput& in = run.check.input;
    const DsnResult& r = run.result;
    auto shown = [](float v, const char* picture) { return Format_Number(v, picture) + " "; };
    rep.display.emplace_back("PrtDia", shown(in.PrtDiam, "##0.0"));
    rep.display.emplace_back("PrtLth", shown(in.PrtLnth, "##0.0"));
    for (int i = 0; i <= r.Numdiam; ++i)
        rep.display.emplace_back("Texdiam(" + std::to_string(i) + ")", shown(r.Diam[i], "##0.0"));
    for (int j = 0; j <= r.Numlen; ++j)
        rep.display.emplace_back("Texlen(" + std::to_string(j) + ")", shown(r.Lnth[j], "##0.0"));
    rep.display.emplace_back("TexTotLth", shown(r.ETotal, "###0.0"));

    rep.values = {{"GasTemp", r.GasTemp},   {"MidCoef", r.MidCoef},
                  {"TailCoef", r.TailCoef}, {"SoundSpeed", r.SoundSpeed},
                  {"ETotal", r.ETotal},     {"MaxPrtLnth", r.MaxPrtLnth}};
    for (int i = 0; i <= r.Numdiam; ++i)
        rep.values.emplace_back("Diam[" + std::to_string(i) + "]", r.Diam[i]);
    for (int j = 0; j <= r.Numlen; ++j)
        rep.values.emplace_back("Lnth[" + std::to_string(j) + "]", r.Lnth[j]);

    // The result table as the window lays it out: diameters left, lengths right.
    std::vector<std::string>& lines = rep.plainLines;
    if (!pipeName.empty())
        lines.push_back("Pipe Name: " + pipeName);
    lines.push_back(std::string(in.ThreeStage ? "Three" : "Two") + " Stage diffuser");
    lines.push_back("Exhaust System Dimensions (mm)");
    auto row = [](const std::string& dl, const std::string& dv, const std::string& ll,
                  const std::string& lv) {
        std::ostringstream s;
        s << std::left << std::setw(4) << dl << std::right << std::setw(7) << dv << "      "
          << std::left << std::setw(4) << ll << std::right << std::setw(7) << lv;
        std::string t = s.str();
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    };
    lines.push_back(row("", "Diameter", "", "Length"));
    lines.push_back(
        row("DX", Format_Number(in.PrtDiam, "##0.0"), "LX", Format_Number(in.PrtLnth, "##0.0")));
    for (int k = 0; k <= r.Numlen; ++k) {
        const bool hasD = k <= r.Numdiam;
        lines.push_back(row(hasD ? "D" + std::to_string(k + 1) : "",
                            hasD ? Format_Number(r.Diam[k], "##0.0") : "",
                            "L" + std::to_string(k + 1), Format_Number(r.Lnth[k], "##0.0")));
    }
    lines.push_back("Tuned Length from Piston Face to Tail Pipe Entry: " +
                    Format_Number(r.ETotal, "###0.0"));
    return rep;
}

int Design_Command(const Design_Flags& flags, std::ostream& out, std::ostream& err) {
    const Dsn_Form_Input form = Design_Form(flags);
    return Print_Report(Design_Report(Run_Design(form), form.PipeName), flags.json, out, err);
}

} // namespace cli
