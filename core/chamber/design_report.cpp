#include "core/chamber/design_report.h"

#include "core/fields/display_format.h"
#include "core/fields/numbers.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

std::vector<Result_Row> Result_Rows(const Result_Table& t) {
    std::vector<Result_Row> rows{{{"DX", "PrtDia", t.PrtDia}, {"LX", "PrtLth", t.PrtLth}}};
    for (size_t k = 0; k < std::max(t.Texdiam.size(), t.Texlen.size()); ++k) {
        const std::string n = std::to_string(k + 1), box = "(" + std::to_string(k) + ")";
        Result_Row row;
        if (k < t.Texdiam.size())
            row.diameter = {"D" + n, "Texdiam" + box, t.Texdiam[k]};
        if (k < t.Texlen.size())
            row.length = {"L" + n, "Texlen" + box, t.Texlen[k]};
        rows.push_back(row);
    }
    return rows;
}

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
    const std::vector<Result_Row> rows = Result_Rows(table);
    // DX and LX, then the diameters' boxes and the lengths', as the window's arrays hold them.
    rep.display.emplace_back(rows[0].diameter.control, Box_Text(rows[0].diameter.text));
    rep.display.emplace_back(rows[0].length.control, Box_Text(rows[0].length.text));
    for (const Result_Cell Result_Row::*side : {&Result_Row::diameter, &Result_Row::length})
        for (size_t k = 1; k < rows.size(); ++k)
            if (!(rows[k].*side).label.empty())
                rep.display.emplace_back((rows[k].*side).control, Box_Text((rows[k].*side).text));
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
    for (const Result_Row& r : rows)
        lines.push_back(row(r.diameter.label, r.diameter.text, r.length.label, r.length.text));
    lines.push_back("Tuned Length from Piston Face to Tail Pipe Entry: " + table.TexTotLth);
    return rep;
}

std::array<Gas_Figure, 2> Gas_Figures(const DsnResult& r) {
    return {{{"Gas Temp. (\u00B0C)", Format_Number(Dbl(r.GasTemp) - Kelvin_Offset, "#0")},
             {"Sound Speed (m/s)", Format_Number(Dbl(r.SoundSpeed), "#0")}}};
}
