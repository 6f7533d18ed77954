#include "cli/waves_command.h"

#include "core/chamber/wave_pictures.h"
#include "core/fields/display_format.h"

#include <cmath>
#include <ostream>

namespace cli {

namespace {

constexpr double Slowest = 1000, Fastest = 50000, Most_Speeds = 1001;

// The pressure as the output gives it: to a millionth of the pulse's amplitude.
double Rounded(double p) {
    const double r = std::round(p * 1e6) / 1e6;
    return r == 0 ? 0 : r;
}

Json Rounded(const std::vector<double>& values) {
    Json j = Json::array();
    for (double v : values)
        j.push_back(Rounded(v));
    return j;
}

} // namespace

void Add_Waves_Flags(CLI::App& cmd, Waves_Flags& f) {
    Add_Design_Flags(cmd, f.design, false);
    cmd.add_option("--at-rpm", f.atRpm,
                   "The speed of the curve, rpm (1000 to 50000; the design's when left out)")
        ->check(CLI::Range(Slowest, Fastest));
    cmd.add_option("--sweep", f.sweep,
                   "Curves from FROM to TO rpm every STEP (at most 1001 speeds, 1000 to 50000)")
        ->delimiter(':')
        ->expected(3)
        ->type_name("FROM:TO:STEP");
}

int Waves_Command(const Waves_Flags& flags, std::ostream& out, std::ostream& err) {
    const std::string command = "expansion-chamber-calc waves";
    std::vector<double> rpm;
    if (!flags.sweep.empty()) {
        const double from = flags.sweep[0], to = flags.sweep[1], step = flags.sweep[2];
        if (!(from >= Slowest && to <= Fastest && from < to && step > 0) ||
            (to - from) / step + 1 > Most_Speeds)
            return Usage_Error(command,
                               "--sweep takes FROM:TO:STEP with 1000 <= FROM < TO <= 50000 and "
                               "at most 1001 speeds",
                               err);
        if (flags.design.form.Given("--at-rpm"))
            return Usage_Error(command, "--at-rpm and --sweep exclude each other", err);
        for (double n = from; n <= to + step * 1e-9; n += step)
            rpm.push_back(n);
    }
    std::string error;
    const std::optional<Design_Form> form = Design_Form_Of(flags.design, error);
    if (!form) {
        err << command << ": cannot open " << flags.design.open << ": " << error << "\n";
        return ExitFailure;
    }
    const Outcome<Chamber_Design> run = Calc_Design(*form);
    if (!run.ok())
        return Print_Report(Design_Report(run), flags.design.json, out, err);
    const bool sweep = !rpm.empty();
    if (!sweep)
        rpm = {flags.atRpm > 0 ? flags.atRpm : run.value.input.EngineSpeed};
    const Wave_Map map = Design_Waves(run.value, rpm);
    if (flags.design.json) {
        Json j{{"model", Wave_Model_Text},
               {"events", {{"EO", map.events.EO}, {"BDC", map.events.BDC}, {"EC", map.events.EC}}},
               {"crankDeg", map.crankDeg}};
        if (sweep) {
            j["rpm"] = map.rpm;
            j["pressure"] = Json::array();
            for (const auto& row : map.pressure)
                j["pressure"].push_back(Rounded(row));
            j["plugAtEc"] = map.plugAtEc ? Json(std::round(*map.plugAtEc)) : Json(nullptr);
        } else {
            j["rpm"] = rpm[0];
            j["pressure"] = Rounded(map.pressure[0]);
        }
        out << j.dump() << "\n";
        return ExitOk;
    }
    out << Wave_Model_Text << "\n"
        << "EO " << Short_Fixed(map.events.EO, 2) << ", BDC 180, EC "
        << Short_Fixed(map.events.EC, 2) << " deg ATDC\n";
    if (sweep) {
        out << "rpm\tsuction trough (deg)\tplugging peak (deg)\n";
        const Wave_Paths paths = Trough_And_Peak(map);
        for (size_t i = 0; i < map.rpm.size(); ++i)
            out << Short_Fixed(map.rpm[i], 1) << "\t" << Short_Fixed(paths.trough[i], 1) << "\t"
                << Short_Fixed(paths.peak[i], 1) << "\n";
        out << Plug_Speed_Text(map) << "\n" << Plug_Speed_Note << "\n";
        return ExitOk;
    }
    out << "At " << Short_Fixed(rpm[0], 1) << " rpm\ncrank (deg)\tpressure\n";
    for (size_t i = 0; i < map.crankDeg.size(); ++i)
        out << Short_Fixed(map.crankDeg[i], 1) << "\t" << Short_Fixed(map.pressure[0][i], 6)
            << "\n";
    return ExitOk;
}

} // namespace cli
