#include "design/design_report.h"

#include <iomanip>
#include <sstream>

report::Report Design_Report(const Outcome<Chamber_Design>& run) {
    report::Report rep;
    rep.form = &Words_Of(Form_Key::Design);
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
