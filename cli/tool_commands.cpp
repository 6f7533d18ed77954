#include "cli/tool_commands.h"

#include <ostream>

namespace cli {

Report Bmep_Report(const Bmep_Inputs& in) {
    Report rep;
    rep.fieldArray = "BHP_Txt";
    const auto o = Calc_Bmep(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = Bmep_Result_Text(o.value.BMEP);
        rep.display = {{"BHP_Lab(4)", text}};
        rep.values = {{"V", o.value.V}, {"Pk", o.value.Pk}, {"BMEP", o.value.BMEP}};
        rep.plainLines = {text};
    }
    return rep;
}

Report PrtHgt_Report(const PrtHgt_Inputs& in) {
    Report rep;
    rep.fieldArray = "HghtTxt";
    const auto o = Calc_PrtHgt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = PrtHgt_Result_Text(o.value);
        rep.display = {{"HghtLab(4)", text}};
        rep.values = {{"H", o.value}};
        rep.plainLines = {text};
    }
    return rep;
}

Report RectPrt_Report(const RectPrt_Inputs& in) {
    Report rep;
    rep.fieldArray = "DiamTxt";
    const auto o = Calc_RectPrt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const std::string text = RectPrt_Result_Text(o.value.D);
        rep.display = {{"DiamLab(4)", text}};
        rep.values = {{"A", o.value.A}, {"D", o.value.D}};
        rep.plainLines = {text};
    }
    return rep;
}

Report ProfPrt_Report(const ProfPrt_Inputs& in) {
    Report rep;
    rep.fieldArray = "ProfTxt";
    rep.ordinateArray = "OrdTxt";
    const auto o = Calc_ProfPrt(in);
    rep.failure = o.failure;
    if (o.ok()) {
        const ProfPrt_Values& v = o.value;
        if (in.BridgedPair) {
            const std::string c = ProfPrt_Constant_Text(v.dC);
            const std::string w = ProfPrt_Widened_Text(v.dW);
            rep.display = {{"ProfLab(6)", c}, {"ProfLab(7)", w}};
            rep.values = {{"dC", v.dC}, {"dW", v.dW}};
            rep.plainLines = {" Equivalent Diameter of the Bridged Port Pair ", c, w};
        } else {
            const std::string text = ProfPrt_Single_Text(v.d);
            rep.display = {{"ProfLab(8)", text}};
            rep.values = {{"d", v.d}};
            rep.plainLines = {text};
        }
    }
    return rep;
}

void Tool_Commands::add(CLI::App& app) {
    auto text = [](CLI::App* cmd, const char* name, std::string& target, const char* help) {
        cmd->add_option(name, target, help)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
            ->type_name("TEXT");
    };

    bmep = app.add_subcommand("bmep", "BMEP from a measured power output");
    auto* hpFlag = bmep->add_flag("--hp", hp, "Power in horsepower");
    auto* kwFlag = bmep->add_flag("--kw", kw, "Power in kilowatts");
    hpFlag->excludes(kwFlag);
    text(bmep, "--bore", bmepIn.BHP_Txt[BhpBore], "Cylinder bore, mm, 5 to 80");
    text(bmep, "--stroke", bmepIn.BHP_Txt[BhpStroke], "Piston stroke, mm (stroke/bore 0.8 to 1.6)");
    text(bmep, "--rpm", bmepIn.BHP_Txt[BhpSpeed], "Engine speed, rpm, 4000 to 35000");
    text(bmep, "--power", bmepIn.BHP_Txt[BhpPower], "Brake power in the chosen unit");
    bmep->add_flag("--json", json, "Print one JSON object");

    portHeight = app.add_subcommand("port-height", "Exhaust port height from timing angles");
    text(portHeight, "--stroke", hghtIn.HghtTxt[HghtStroke], "Piston stroke, mm, 5 to 65");
    text(portHeight, "--rod", hghtIn.HghtTxt[HghtRod], "Connecting rod length, mm, 8 to 150");
    text(portHeight, "--start", hghtIn.HghtTxt[HghtStart], "Start-open angle, deg ATDC, 75 to 105");
    text(portHeight, "--full", hghtIn.HghtTxt[HghtFull], "Full-open angle, deg ATDC, 160 to 180");
    portHeight->add_flag("--json", json, "Print one JSON object");

    rectPort = app.add_subcommand("rect-port", "Equivalent diameter of a rectangular port");
    text(rectPort, "--width", rectIn.DiamTxt[DiamWidth], "Port width, mm, 2 to 60");
    text(rectPort, "--height", rectIn.DiamTxt[DiamHeight], "Port height, mm, 2 to 60");
    text(rectPort, "--top-radius", rectIn.DiamTxt[DiamTop], "Radius of the two top corners, mm");
    text(rectPort, "--bottom-radius", rectIn.DiamTxt[DiamBottom],
         "Radius of the two bottom corners, mm");
    rectPort->add_flag("--json", json, "Print one JSON object");

    profiledPort = app.add_subcommand("profiled-port", "Equivalent diameter of a profiled port");
    auto* singleFlag = profiledPort->add_flag("--single", single, "A single port");
    auto* bridgedFlag = profiledPort->add_flag("--bridged", bridged, "A bridged port pair");
    singleFlag->excludes(bridgedFlag);
    text(profiledPort, "--bore", profIn.ProfTxt[ProfBore], "Cylinder bore, mm, 5 to 80");
    text(profiledPort, "--bridge-width", profIn.ProfTxt[ProfBridgeWidth],
         "Bridge width, mm (bridged)");
    text(profiledPort, "--top-radius", profIn.ProfTxt[ProfTopRadius],
         "Bridge top corner radius, mm (bridged)");
    text(profiledPort, "--bottom-radius", profIn.ProfTxt[ProfBottomRadius],
         "Bridge bottom corner radius, mm (bridged)");
    text(profiledPort, "--height", profIn.ProfTxt[ProfHeight], "Port height, mm");
    text(profiledPort, "--intervals", profIn.ProfTxt[ProfIntervals],
         "Number of intervals, 4 to 10");
    profiledPort
        ->add_option("--ordinate", ordinates,
                     "Ordinate arc length, mm; repeat for stations 0, 1, 2, ... (at most 11)")
        ->allow_extra_args(false)
        ->type_name("TEXT");
    profiledPort->add_flag("--json", json, "Print one JSON object");
}

std::string Tool_Commands::Surplus_Ordinates() const {
    const size_t most = profIn.OrdTxt.size();
    if (ordinates.size() > most)
        return std::to_string(ordinates.size()) + " ordinates given: at most " +
               std::to_string(most) + " (stations 0 to 10)";
    // With a number of intervals that the check will accept, n intervals take n + 1.
    const auto n = Intervals_Value(profIn.ProfTxt[ProfIntervals]);
    if (n && *n >= 4 && *n <= 10 && ordinates.size() > static_cast<size_t>(*n) + 1)
        return std::to_string(ordinates.size()) + " ordinates given: " + std::to_string(*n) +
               " intervals take " + std::to_string(*n + 1) + " (stations 0 to " +
               std::to_string(*n) + ")";
    return "";
}

int Tool_Commands::run(std::ostream& out, std::ostream& err) {
    if (bmep->parsed()) {
        if (!hp && !kw)
            return Usage_Error("expansion-chamber-calc bmep",
                               "choose the power unit with --hp or --kw", err);
        bmepIn.Power_In_Hp = hp;
        return Print_Report(Bmep_Report(bmepIn), json, out, err);
    }
    if (portHeight->parsed())
        return Print_Report(PrtHgt_Report(hghtIn), json, out, err);
    if (rectPort->parsed())
        return Print_Report(RectPrt_Report(rectIn), json, out, err);
    if (profiledPort->parsed()) {
        const std::string command = "expansion-chamber-calc profiled-port";
        if (!single && !bridged)
            return Usage_Error(command, "choose the configuration with --single or --bridged", err);
        if (const std::string surplus = Surplus_Ordinates(); !surplus.empty())
            return Usage_Error(command, surplus, err);
        profIn.BridgedPair = bridged;
        for (size_t i = 0; i < ordinates.size(); ++i)
            profIn.OrdTxt[i] = ordinates[i];
        return Print_Report(ProfPrt_Report(profIn), json, out, err);
    }
    return -1;
}

} // namespace cli
